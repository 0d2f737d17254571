#include "EditorFixture.h"

#include "ui/editor/EditorBottomPanel.h"
#include "ui/editor/EditorHeader.h"
#include "ui/editor/EmptyStatePanel.h"
#include "ui/editor/ErrorAlert.h"
#include "ui/editor/RecognitionSheet.h"
#include "ui/editor/ToolIcons.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>

namespace {

QPushButton* buttonTitled(const QWidget* parent, const QString& title)
{
    const auto buttons = parent->findChildren<QPushButton*>();
    const auto found = std::find_if(
        buttons.begin(), buttons.end(), [&](const QPushButton* button) { return button->text() == title; });
    return found == buttons.end() ? nullptr : *found;
}

} // namespace

TEST_F(EditorTest, HeaderButtonsSelectToolsAndRunTheExportCommands)
{
    // A tool button selects its tool.
    QTest::mouseClick(window->header()->toolButton(AnnotationTool::crop), Qt::LeftButton);
    EXPECT_EQ(state.selectedTool(), AnnotationTool::crop);

    // The action buttons, in their order: copy, save, pin, add capture, open.
    const auto actions = window->header()->findChildren<QToolButton*>(QStringLiteral("actionButton"));
    ASSERT_EQ(actions.size(), 5);
    loadImage();
    QTest::mouseClick(actions[0], Qt::LeftButton);
    EXPECT_NE(clipboard.provider, nullptr);
    QTest::mouseClick(actions[2], Qt::LeftButton);
    EXPECT_EQ(pinnedWindows.pinned.size(), 1u);
    QSignalSpy captures(window.get(), &EditorWindow::captureRequested);
    QTest::mouseClick(actions[3], Qt::LeftButton);
    ASSERT_EQ(captures.size(), 1);
    EXPECT_EQ(captures[0][0].value<CaptureCommand>(), CaptureCommand::addToCanvas);
    QTest::mouseClick(actions[4], Qt::LeftButton);
    EXPECT_EQ(dialogs.openPanelsShown, 1);
}

// The empty state offers capture and paste; a pasted picture replaces it with the canvas and
// the resize group.
TEST_F(EditorTest, StageShowsTheEmptyStateUntilAPictureIsPastedThenOffersResizing)
{
    EXPECT_FALSE(window->isShowingCanvas());
    QSignalSpy captures(window.get(), &EditorWindow::captureRequested);
    QTest::mouseClick(buttonTitled(window->emptyStatePanel(), QStringLiteral("Capture Area")), Qt::LeftButton);
    QTest::mouseClick(buttonTitled(window->emptyStatePanel(), QStringLiteral("Capture Screen")), Qt::LeftButton);
    ASSERT_EQ(captures.size(), 2);
    EXPECT_EQ(captures[0][0].value<CaptureCommand>(), CaptureCommand::area);
    EXPECT_EQ(captures[1][0].value<CaptureCommand>(), CaptureCommand::fullScreen);

    clipboard.image = solidTestImage({ 640, 480 });
    QTest::mouseClick(buttonTitled(window->emptyStatePanel(), QStringLiteral("Paste")), Qt::LeftButton);
    EXPECT_TRUE(window->isShowingCanvas());
    EXPECT_EQ(child<QLabel>(QStringLiteral("imageSizeLabel"))->text(), QStringLiteral("640 \u00D7 480"));

    // Ctrl+V pastes too, but not over the picture while a field is typing.
    showActive();
    clipboard.image = solidTestImage({ 50, 20 });
    QLineEdit* field = window->bottomPanel()->resizeField();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(state.baseImage()->size(), QSizeF(640, 480));
    QTest::keyClick(window->header(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(state.baseImage()->size(), QSizeF(50, 20));

    // The resize field applies its percentage with the button or Return; a bad one reports.
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("50"));
    QTest::mouseClick(child<QPushButton>(QStringLiteral("resizeApplyButton")), Qt::LeftButton);
    EXPECT_EQ(state.baseImage()->size(), QSizeF(25, 10));
    EXPECT_EQ(field->text(), QStringLiteral("100"));
    field->selectAll();
    QTest::keyClicks(field, QStringLiteral("abc"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(state.baseImage()->size(), QSizeF(25, 10));
    EXPECT_TRUE(state.errorMessage().has_value());
}

TEST_F(EditorTest, RecognitionSheetAndErrorAlertShowTheirTextUntilClosed)
{
    RecognitionSheet* sheet = window->recognitionSheet();
    state.recognizedText.set(QStringLiteral("No text detected."));
    state.recognizedCodes.set({});
    state.isShowingOCRSheet.set(true);
    ASSERT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->textView()->toPlainText(), QStringLiteral("No text detected."));

    QTest::mouseClick(buttonTitled(sheet, QStringLiteral("Copy Again")), Qt::LeftButton);
    EXPECT_EQ(clipboard.texts, QStringList({ "No text detected." }));

    state.recognizedCodes.set({ QStringLiteral("https://example.com/a"), QStringLiteral("second") });
    EXPECT_TRUE(sheet->codeList()->isVisibleTo(sheet));
    ASSERT_EQ(sheet->codeList()->count(), 2);
    EXPECT_EQ(sheet->codeList()->item(1)->text(), QStringLiteral("second"));

    QTest::mouseClick(buttonTitled(sheet, QStringLiteral("Close")), Qt::LeftButton);
    EXPECT_FALSE(state.isShowingOCRSheet());
    EXPECT_FALSE(sheet->isVisible());

    // The error alert shows a server's page as plain text, cut short, until OK.
    ErrorAlert* alert = window->errorAlert();
    const QString page = QStringLiteral("<html><body><h1>Forbidden</h1><a href=\"file:///etc/passwd\">open</a>")
        + QString(3000, QLatin1Char('x')) + QStringLiteral("</body></html>");
    state.errorMessage.set(page);
    ASSERT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->detailedText(), page);
    EXPECT_TRUE(page.startsWith(alert->informativeText().chopped(1)));
    EXPECT_LE(alert->informativeText().size(), ErrorAlert::maximumShownLength + 1);
    const QList<QLabel*> labels = alert->findChildren<QLabel*>();
    const auto showing
        = std::ranges::find_if(labels, [&](const QLabel* label) { return label->text() == alert->informativeText(); });
    ASSERT_NE(showing, labels.end());
    for (const QLabel* label : labels) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        EXPECT_FALSE(label->openExternalLinks());
        EXPECT_FALSE(label->textInteractionFlags() & Qt::LinksAccessibleByMouse);
    }

    // A newer error replaces the text of the open alert; a short one needs no details.
    state.errorMessage.set(QStringLiteral("Upload failed."));
    EXPECT_EQ(alert->informativeText(), QStringLiteral("Upload failed."));
    EXPECT_TRUE(alert->detailedText().isEmpty());
    QTest::mouseClick(alert->button(QMessageBox::Ok), Qt::LeftButton);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_FALSE(state.errorMessage().has_value());
}

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
