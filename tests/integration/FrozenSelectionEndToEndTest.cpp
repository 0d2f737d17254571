// The selection overlays of the trovix binary on desktops people run: Openbox without a
// compositor, a 2x desktop (Xft.dpi 192) and two monitors at scales 1 and 2. Another
// program's picture of the screen shows what the user sees under the overlays.
#include "DesktopSession.h"
#include "MonitorLayout.h"

#include "engine/AreaSelectionGeometry.h"
#include "ui/capture/OverlayPainting.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace EndToEnd;

// The overlays dim the picture with black at these alphas.
constexpr double areaDim = 0.42;
constexpr double windowDim = 0.46;
constexpr double windowSurroundingsDim = 0.28;

bool isDimmed(QRgb seen, QRgb original, double alpha)
{
    const auto close = [alpha](int seenChannel, int originalChannel) {
        return std::abs(seenChannel - originalChannel * (1 - alpha)) <= 3;
    };
    return close(qRed(seen), qRed(original)) && close(qGreen(seen), qGreen(original))
        && close(qBlue(seen), qBlue(original));
}

// Points spread over the screen, away from its middle (the hint) and from the pointer's lines.
QList<QPoint> samplePoints(const QRect& screen, QPoint pointer)
{
    QList<QPoint> points;
    for (int i = 1; i < 8; ++i) {
        for (int j = 1; j < 8; ++j) {
            const QPoint point(screen.x() + screen.width() * i / 8 + 3, screen.y() + screen.height() * j / 8 + 3);
            const bool nearMiddle = std::abs(point.y() - screen.center().y()) < screen.height() / 6;
            if (!nearMiddle && std::abs(point.x() - pointer.x()) > 2 && std::abs(point.y() - pointer.y()) > 2)
                points.append(point);
        }
    }
    return points;
}

// The part of the samples the picture shows as the pattern dimmed by `alpha`.
double dimmedShare(const QImage& picture, const QImage& pattern, const QList<QPoint>& points, double alpha)
{
    int dimmed = 0;
    for (const QPoint& point : points)
        dimmed += isDimmed(picture.pixel(point), pattern.pixel(point), alpha) ? 1 : 0;
    return points.isEmpty() ? 0 : double(dimmed) / points.size();
}

// Where two pictures of one size first differ, colour for colour.
std::string firstDifference(const QImage& seen, const QImage& expected)
{
    for (int y = 0; y < std::min(seen.height(), expected.height()); ++y) {
        for (int x = 0; x < std::min(seen.width(), expected.width()); ++x) {
            if (seen.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("(%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(seen.pixel(x, y), 8, 16)
                    .arg(expected.pixel(x, y), 8, 16)
                    .toStdString();
        }
    }
    return "no difference";
}

QStringList at(QPoint point)
{
    return { QString::number(point.x()), QString::number(point.y()) };
}

// Drags from one root pixel to another and gives the picture of the screen taken while the
// button is still down.
QImage pictureWhileDragging(const DesktopSession& session, QPoint from, QPoint to)
{
    session.xdotool(QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") } + at(from)
        + QStringList { QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mousedown"),
            QStringLiteral("1"), QStringLiteral("mousemove"), QStringLiteral("--sync") }
        + at((from + to) / 2)
        + QStringList { QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mousemove"),
            QStringLiteral("--sync") }
        + at(to) + QStringList { QStringLiteral("sleep"), QStringLiteral("0.5") });
    const QImage picture = session.rootPicture();
    session.xdotool({ QStringLiteral("mouseup"), QStringLiteral("1") });
    return picture;
}

// An area selection dragged on one screen, in root pixels, and what its label should read.
struct AreaDrag {
    QRect screen;
    double scale;
    QPoint from;
    QPoint to;

    [[nodiscard]] QRect area() const { return QRect(from, to).normalized().adjusted(0, 0, -1, -1); }
    // The selection in the screen's own points, bottom-left origin, as its label reads it.
    [[nodiscard]] QRectF viewSelection() const
    {
        const QRect local = area().translated(-screen.topLeft());
        return { local.x() / scale, (screen.height() - local.y() - local.height()) / scale, local.width() / scale,
            local.height() / scale };
    }
};

// Along a row 4 points below the label box's top, from 10 points into it, the run of the
// box's dark pixels: as long as the box is wide, whatever the text drawn lower down.
int labelRun(const QImage& picture, const AreaDrag& drag)
{
    const double scale = drag.scale;
    const QRect area = drag.area();
    const int row = area.bottom() + 1 + int(std::lround((6 + 4) * scale));
    int x = area.left() + int(std::lround(10 * scale));
    const int start = x;
    while (x < picture.width() && qRed(picture.pixel(x, row)) < 45 && qGreen(picture.pixel(x, row)) < 45
        && qBlue(picture.pixel(x, row)) < 45)
        ++x;
    return x - start;
}

double expectedLabelRun(const AreaDrag& drag)
{
    const QString text = AreaSelectionGeometry::dimensionText(drag.viewSelection());
    const double textWidth
        = OverlayPainting::textSize(text, OverlayPainting::systemFont(true, 14, QFont::Bold)).width();
    // The box is the text and 20 points wide; the run starts 10 points in and the rounded
    // corner takes about a point off its end at that height.
    return (textWidth + 20 - 10 - 1) * drag.scale;
}

class FrozenSelectionEndToEnd : public testing::Test {
protected:
    void startSession(QSize screenSize = defaultScreenSize)
    {
        session = std::make_unique<DesktopSession>(screenSize);
        ASSERT_TRUE(session->isReady()) << session->problem().toStdString();
    }

    void startTrovix(const QProcessEnvironment& extra = {})
    {
        trovix = std::make_unique<Trovix>(*session, config.path(), extra);
        ASSERT_TRUE(waitUntil([this] { return session->editorIsVisible(); }, 60s)) << "the editor appears";
    }

    [[nodiscard]] QList<QRect> overlaysNamed(const QString& name) const
    {
        QList<QRect> found;
        waitUntil(
            [&] {
                found = session->windowGeometries(name);
                return !found.isEmpty();
            },
            30s);
        return found;
    }

    // Starts an area selection with the pointer on `screen` and checks that its overlay covers it.
    void showAreaOverlayOn(const QRect& screen)
    {
        session->xdotool(QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") }
            + at(screen.topLeft() + QPoint(5, 5)));
        session->press(QStringLiteral("ctrl+alt+2"));
        EXPECT_EQ(overlaysNamed(QStringLiteral("Select an Area")), QList<QRect> { screen });
        // Time to paint the first frame.
        waitUntil([] { return false; }, 500ms);
    }

    // Drags on the overlay: the label box is as wide as its text, and the paste afterwards is
    // exactly the dragged pixels.
    void checkDrag(const AreaDrag& drag)
    {
        const QImage during = pictureWhileDragging(*session, drag.from, drag.to);
        ASSERT_FALSE(during.isNull());
        const QRect inside(drag.area().center() - QPoint(8, 8), QSize(16, 16));
        EXPECT_EQ(firstDifference(during.copy(inside), session->pattern().copy(inside)), "no difference")
            << "the selection shows the screen undimmed";
        EXPECT_NEAR(labelRun(during, drag), expectedLabelRun(drag), 8 * drag.scale)
            << "the label box is as wide as its text";
        const QImage pasted = session->escapeAndPaste(60s);
        ASSERT_FALSE(pasted.isNull()) << "Esc put the area capture on the clipboard";
        EXPECT_EQ(pasted.size(), drag.area().size());
        EXPECT_TRUE(pasted.convertToFormat(QImage::Format_RGB32) == session->pattern().copy(drag.area()))
            << "the paste is exactly the dragged pixels";
        EXPECT_TRUE(waitUntil([this] { return !session->editorIsVisible(); }, 20s)) << "Esc hid the editor";
    }

    // The step prompt of a scrolling capture started on `screen` sits 28 points in from its
    // top-right corner, wholly on it.
    void checkStepPromptOn(const QRect& screen, double scale)
    {
        session->xdotool(QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") }
            + at(screen.topLeft() + QPoint(5, 5)));
        session->press(QStringLiteral("ctrl+alt+6"));
        ASSERT_FALSE(overlaysNamed(QStringLiteral("Select an Area")).isEmpty());
        session->drag(screen.topLeft() + QPoint(40, 60), screen.topLeft() + QPoint(240, 360));
        const QList<QRect> prompts = overlaysNamed(QStringLiteral("Scrolling Capture"));
        ASSERT_EQ(prompts.size(), 1) << "the step prompt appears";
        const QRect prompt = prompts.front();
        EXPECT_TRUE(screen.contains(prompt)) << "on the screen where the selection was; at " << prompt.x() << ","
                                             << prompt.y() << " " << prompt.width() << "x" << prompt.height();
        EXPECT_NEAR(screen.right() + 1 - (prompt.right() + 1), 28 * scale, 2);
        EXPECT_NEAR(prompt.top() - screen.top(), 28 * scale, 2);
    }

    QTemporaryDir config;
    std::unique_ptr<DesktopSession> session;
    std::unique_ptr<Trovix> trovix;
};

} // namespace

TEST_F(FrozenSelectionEndToEnd, AreaOverlayShowsTheDesktopDimmedAndTheCaptureIsWhatWasDragged)
{
    startSession();
    startTrovix();
    const QRect screen(QPoint(0, 0), defaultScreenSize);
    showAreaOverlayOn(screen);

    const QImage shown = session->rootPicture();
    ASSERT_FALSE(shown.isNull());
    EXPECT_GE(dimmedShare(shown, session->pattern(), samplePoints(screen, QPoint(5, 5)), areaDim), 0.95)
        << "the desktop shows through dimmed, not black";

    checkDrag({ screen, 1, QPoint(150, 120), QPoint(470, 360) });
}

TEST_F(FrozenSelectionEndToEnd, WindowPickerHighlightsOverTheFrozenDesktop)
{
    startSession();
    QImage solid(400, 300, QImage::Format_RGB32);
    solid.fill(QColor(200, 120, 40));
    QTemporaryDir files;
    const QString solidFile = files.filePath(QStringLiteral("solid.png"));
    ASSERT_TRUE(solid.save(solidFile));
    QProcess viewer;
    viewer.setProcessEnvironment(session->environment());
    viewer.start(QStringLiteral("display"),
        { QStringLiteral("-title"), QStringLiteral("Solid"), QStringLiteral("-geometry"), QStringLiteral("+600+300"),
            solidFile });
    startTrovix();
    QList<QRect> windows;
    ASSERT_TRUE(waitUntil(
        [&] {
            windows = session->windowGeometries(QStringLiteral("Solid"));
            return !windows.isEmpty();
        },
        30s));
    const QRect window = windows.front();

    session->xdotool(QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") } + at(window.center()));
    session->press(QStringLiteral("ctrl+alt+4"));
    EXPECT_EQ(
        overlaysNamed(QStringLiteral("Select a Window")), QList<QRect> { QRect(QPoint(0, 0), defaultScreenSize) });
    // A small move makes the overlay see the pointer over the window.
    session->xdotool(
        QStringList { QStringLiteral("mousemove"), QStringLiteral("--sync") } + at(window.center() + QPoint(3, 3)));
    waitUntil([] { return false; }, 700ms);
    const QImage shown = session->rootPicture();
    ASSERT_FALSE(shown.isNull());

    EXPECT_TRUE(isDimmed(shown.pixel(window.center() + QPoint(40, 40)), solid.pixel(0, 0), windowDim))
        << "the hovered window shows under the overlay's dimming";
    const QList<QPoint> outside { QPoint(40, 40), QPoint(300, 700), QPoint(1200, 100), QPoint(100, 400) };
    EXPECT_EQ(dimmedShare(shown, session->pattern(), outside, 1 - (1 - windowDim) * (1 - windowSurroundingsDim)), 1.0)
        << "the desktop around it is darker still";
    const QRgb edge = shown.pixel(window.center().x(), window.top());
    EXPECT_GE(qGray(edge), 230) << "a white frame outlines the window";

    session->press(QStringLiteral("Escape"));
    EXPECT_TRUE(
        waitUntil([this] { return session->visibleWindowsNamed(QStringLiteral("Select a Window")).isEmpty(); }, 20s));
    viewer.kill();
    viewer.waitForFinished();
}

TEST_F(FrozenSelectionEndToEnd, DoubleDensityDesktopFromXftDpi)
{
    startSession();
    QTemporaryDir files;
    QFile resources(files.filePath(QStringLiteral("Xresources")));
    ASSERT_TRUE(resources.open(QIODevice::WriteOnly));
    resources.write("Xft.dpi: 192\n");
    resources.close();
    session->run(QStringLiteral("xrdb"), { QStringLiteral("-merge"), resources.fileName() });
    ASSERT_TRUE(session->run(QStringLiteral("xrdb"), { QStringLiteral("-query") }).contains("192"));
    startTrovix();
    const QRect screen(QPoint(0, 0), defaultScreenSize);

    showAreaOverlayOn(screen);
    checkDrag({ screen, 2, QPoint(200, 100), QPoint(600, 400) });
    checkStepPromptOn(screen, 2);
}

TEST_F(FrozenSelectionEndToEnd, MonitorsAtScalesOneAndTwo)
{
    // The right monitor is wide enough for the step prompt at 2x.
    const QRect left = MonitorLayout::leftRoot;
    const QRect right(1200, 0, 1600, 1080);
    startSession(QSize(2800, 1080));
    XcbConnection connection(session->display().toLocal8Bit().constData());
    MonitorLayout layout(connection, { { "TROVIX-LEFT", left, true, true }, { "TROVIX-RIGHT", right, false, false } });
    ASSERT_TRUE(layout.isReady()) << "the X server refused the RandR monitors";
    QProcessEnvironment scales;
    scales.insert(QStringLiteral("QT_SCREEN_SCALE_FACTORS"), QStringLiteral("TROVIX-LEFT=1;TROVIX-RIGHT=2"));
    startTrovix(scales);

    showAreaOverlayOn(right);
    checkDrag({ right, 2, QPoint(1300, 300), QPoint(1500, 600) });

    showAreaOverlayOn(left);
    checkDrag({ left, 1, QPoint(100, 300), QPoint(400, 500) });

    checkStepPromptOn(right, 2);
}
