#include "ui/editor/ToolIcons.h"
#include "ui/editor/EditorHeader.h"

#include <gtest/gtest.h>

TEST(ToolIconsTest, EverySymbolTheEditorShowsHasOurOwnPicture)
{
    QStringList symbols;
    for (AnnotationTool tool : EditorHeader::visibleTools)
        symbols << AnnotationTools::symbolName(tool);
    symbols << QStringLiteral("doc.on.doc") << QStringLiteral("square.and.arrow.down") << QStringLiteral("pin")
            << QStringLiteral("plus.rectangle.on.rectangle") << QStringLiteral("folder")
            << QStringLiteral("camera.aperture") << QStringLiteral("text.cursor") << QStringLiteral("shift")
            << QStringLiteral("ruler") << QStringLiteral("plus.magnifyingglass") << QStringLiteral("text.viewfinder")
            << QStringLiteral("arrow.uturn.backward");
    for (const QString& symbol : symbols) {
        SCOPED_TRACE(symbol.toStdString());
        ASSERT_TRUE(ToolIcons::hasBundledIcon(symbol));
        // The picture renders: some of it is opaque.
        const QImage shown = ToolIcons::bundledIcon(symbol, QColor(0, 0, 255), Qt::white).pixmap(24, 24).toImage();
        int inked = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                inked += shown.pixelColor(x, y).alpha() >= 200 ? 1 : 0;
        EXPECT_GT(inked, 10);
    }
    EXPECT_FALSE(ToolIcons::hasBundledIcon(QStringLiteral("no.such.symbol")));
}
