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
        // Drawn in the colour asked for: the opaque pixels are that colour, and there are some.
        const QImage normal = ToolIcons::bundledIcon(symbol, QColor(0, 0, 255), Qt::white).pixmap(24, 24).toImage();
        const QImage checked = ToolIcons::bundledIcon(symbol, QColor(0, 0, 255), Qt::white)
                                   .pixmap(24, 24, QIcon::Normal, QIcon::On)
                                   .toImage();
        int inked = 0;
        for (int y = 0; y < normal.height(); ++y) {
            for (int x = 0; x < normal.width(); ++x) {
                const QColor pixel = normal.pixelColor(x, y);
                if (pixel.alpha() < 200)
                    continue;
                ++inked;
                EXPECT_EQ(pixel.rgb(), QColor(0, 0, 255).rgb());
                EXPECT_EQ(checked.pixelColor(x, y).rgb(), QColor(Qt::white).rgb());
            }
        }
        EXPECT_GT(inked, 10);
    }
    EXPECT_FALSE(ToolIcons::hasBundledIcon(QStringLiteral("no.such.symbol")));
}
