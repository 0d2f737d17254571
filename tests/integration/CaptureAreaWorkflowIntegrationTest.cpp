// The whole area capture on a real X server: our windows hide, the user drags on the
// overlay (xdotool), the screenshot tool reads the root window, and exactly the dragged
// pixels become the open image; the editor comes back when the settings say so.
#include "X11CaptureStack.h"
#include "XDriving.h"

#include "platform/qt/QtApplicationWindows.h"
#include "ports/EditorWindowPort.h"
#include "ui/capture/AreaSelectionOverlay.h"
#include "ui/capture/AreaSelectionView.h"

#include <QPainter>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

using namespace XDriving;

namespace {

// Every pixel of the pattern differs from its neighbours, so a picture shifted by one
// pixel either way does not match.
QImage pattern(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * 7 + y * 13) % 256));
    }
    return image;
}

// A window without a title, so the capture leaves it on screen: the scene to capture.
class PatternWindow : public QWidget {
public:
    explicit PatternWindow(QRect rootGeometry)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
        , m_pattern(pattern(rootGeometry.size()))
    {
        setGeometry(rootGeometry);
    }

    [[nodiscard]] const QImage& picture() const { return m_pattern; }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, m_pattern); }

private:
    QImage m_pattern;
};

// A plain red window standing in for the editor: titled "Trovix", it must be hidden while
// the screen is read.
class RedEditorWindow : public QWidget, public EditorWindowPort {
public:
    // An ordinary window, as the editor is; Xvfb has no window manager to move it.
    explicit RedEditorWindow(QRect rootGeometry)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        setWindowTitle(QStringLiteral("Trovix"));
        setGeometry(rootGeometry);
        setAutoFillBackground(true);
        QPalette palette;
        palette.setColor(QPalette::Window, Qt::red);
        setPalette(palette);
    }

    bool isVisible() const override { return QWidget::isVisible(); }
    void makeKeyAndOrderFront() override
    {
        show();
        raise();
    }
    void orderOut() override { hide(); }
    QRectF frame() const override { return QRectF(geometry()); }
    void setFrame(const QRectF&) override { }
    QSizeF contentSize() const override { return QSizeF(size()); }
    QSizeF frameSizeForContentSize(QSizeF content) const override { return content; }
    std::optional<QRectF> screenVisibleFrame() const override { return std::nullopt; }
};

class CaptureAreaWorkflow : public testing::Test, protected X11Application<AreaSelectionOverlay, QtApplicationWindows> {
protected:
    CaptureAreaWorkflow()
    {
        state.setEditorWindow(&editor);
        scene.show();
        editor.show();
        waitUntil([&] { return scene.windowHandle()->isExposed() && editor.windowHandle()->isExposed(); });
        pump(200);
    }

    // Drags on the overlay from one root pixel to another while the capture runs; reports
    // whether the editor was off the screen while the user dragged.
    bool captureAreaByDragging(QPoint from, QPoint to)
    {
        auto outcome = startVoid(state.captureArea());
        if (!waitForOverlay<AreaSelectionView>()) {
            ADD_FAILURE() << "no overlay";
            finishOrEscape(outcome, 0);
            return false;
        }
        const bool editorHidden = !editor.isVisible();
        EXPECT_TRUE(xdotool(dragArguments(from, to)));
        EXPECT_TRUE(finishOrEscape(outcome, 20000)) << "the capture did not end";
        pump(100);
        return editorHidden;
    }

    PatternWindow scene { QRect(0, 0, 700, 500) };
    RedEditorWindow editor { QRect(120, 100, 300, 200) };
};

} // namespace

TEST_F(CaptureAreaWorkflow, DraggedPixelsBecomeTheImageWithTheEditorOutOfThePicture)
{
    settings.showAfterScreenshot.set(true);
    const QPoint from(150, 120);
    const QPoint to(350, 270);

    EXPECT_TRUE(captureAreaByDragging(from, to)) << "the editor was on screen during the selection";

    EXPECT_EQ(state.statusMessage(), QStringLiteral("Captured a custom area"));
    EXPECT_FALSE(state.errorMessage()) << state.errorMessage()->toStdString();
    ASSERT_TRUE(state.baseImage());
    EXPECT_TRUE(samePicture(state.baseImage()->pixels(), scene.picture().copy(QRect(from, QSize(200, 150)))));
    EXPECT_EQ(state.baseImage()->size(), QSizeF(200, 150));

    EXPECT_TRUE(editor.isVisible()) << "shown after the capture, as the settings ask";
    EXPECT_FALSE(state.isCaptureTransitionActive());
}

TEST_F(CaptureAreaWorkflow, EscOnTheOverlayCancelsAndBringsTheEditorBack)
{
    auto outcome = startVoid(state.captureArea());
    ASSERT_TRUE(waitForOverlay<AreaSelectionView>());
    EXPECT_FALSE(editor.isVisible());
    ASSERT_TRUE(xdotool({ QStringLiteral("key"), QStringLiteral("Escape") }));
    ASSERT_TRUE(finishOrEscape(outcome));
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Area capture cancelled"));
    EXPECT_TRUE(editor.isVisible());
    EXPECT_FALSE(state.baseImage());
}
