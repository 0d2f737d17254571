#include "services/ScreenshotService.h"

#include "domain/ScreenshotError.h"
#include "engine/PngReader.h"
#include "engine/ScreenCaptureGeometry.h"
#include "ports/DisplayCapturePort.h"
#include "ports/FrontmostApplicationPort.h"
#include "ports/ScreenCapturePermission.h"
#include "ports/ScreenFreezePort.h"
#include "ports/ScreensPort.h"
#include "ports/ScreenshotToolPort.h"
#include "ports/WindowCapturePort.h"
#include "ports/WindowListPort.h"
#include "ports/WindowSelectionPort.h"
#include "services/SystemScreenshotTool.h"

#include <QImage>

#include <limits>

namespace {

constexpr double minimumWindowWidth = 120;
constexpr double minimumWindowHeight = 80;
constexpr double minimumWindowAlpha = 0.01;

[[noreturn]] void fail(ScreenshotError::Code code)
{
    throw ScreenshotError(code);
}

double area(const QRectF& rect)
{
    const QRectF normal = rect.normalized();
    return normal.isEmpty() ? 0.0 : normal.width() * normal.height();
}

std::optional<CapturableWindow> capturableWindow(const WindowListEntry& entry, const std::optional<QString>& ownAppId)
{
    if (!entry.number || *entry.number < 0 || *entry.number > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    if (!entry.frame)
        return std::nullopt;
    const bool keep = entry.layer.value_or(0) == 0 && entry.alpha.value_or(1.0) > minimumWindowAlpha
        && entry.sharingState.value_or(1) != 0 && entry.frame->width() >= minimumWindowWidth
        && entry.frame->height() >= minimumWindowHeight && entry.applicationId != ownAppId;
    if (!keep)
        return std::nullopt;
    return CapturableWindow {
        .id = static_cast<std::uint32_t>(*entry.number),
        .ownerPID = entry.ownerPID,
        .ownerName = entry.ownerName.value_or(QStringLiteral("App")),
        .title = entry.title.value_or(QString()),
        .frame = *entry.frame,
    };
}

// Point size = pixel size / the screen's density, so a 2x capture keeps its size in points.
Image decodeCapture(const QByteArray& bytes, double scaleFactor)
{
    // The tool's own plain PNGs take the fast path; anything else, damaged files included,
    // goes to Qt's reader.
    QImage pixels = PngReader::decodeSimple(bytes).value_or(QImage());
    if (pixels.isNull() && !pixels.loadFromData(bytes, "PNG"))
        fail(ScreenshotError::Code::captureFailed);
    const double scale = scaleFactor > 0 ? scaleFactor : 1.0;
    const QSizeF points(pixels.width() / scale, pixels.height() / scale);
    return Image(std::move(pixels), points);
}

QStringList rectangleArguments(const QRect& toolRect)
{
    return { QStringLiteral("-x"), QStringLiteral("-t"), QStringLiteral("png"),
        QStringLiteral("-R") + ScreenCaptureGeometry::rectangleSpecifier(toolRect) };
}

} // namespace

ScreenshotService::ScreenshotService(Collaborators collaborators)
    : m_ports(std::move(collaborators))
{ }

bool ScreenshotService::excludesOwnWindows() const
{
    return m_ports.displayCapture && m_ports.displayCapture->excludesOwnWindows();
}

QList<CapturableWindow> ScreenshotService::capturableWindows() const
{
    QList<CapturableWindow> windows;
    for (const WindowListEntry& entry : m_ports.windowList.onScreenWindows()) {
        if (std::optional<CapturableWindow> window = capturableWindow(entry, m_ports.ownApplicationId))
            windows.append(std::move(*window));
    }
    return windows;
}

std::optional<Screen> ScreenshotService::screenContainingLargestArea(const QRectF& rect) const
{
    const QList<Screen> screens = m_ports.screens.screens();
    if (screens.isEmpty())
        return std::nullopt;
    const Screen* best = &screens.front();
    double bestArea = area(best->frame.intersected(rect));
    for (const Screen& screen : screens) {
        const double candidate = area(screen.frame.intersected(rect));
        if (candidate > bestArea) {
            best = &screen;
            bestArea = candidate;
        }
    }
    return *best;
}

std::optional<Screen> ScreenshotService::screenUnderMouse() const
{
    const QPointF mouse = m_ports.screens.mouseLocation();
    for (const Screen& screen : m_ports.screens.screens()) {
        // Bottom-left origin: a frame contains its lower and left edges, not its upper and right ones.
        const QRectF& frame = screen.frame;
        if (mouse.x() >= frame.left() && mouse.x() < frame.right() && mouse.y() >= frame.top()
            && mouse.y() < frame.bottom())
            return screen;
    }
    return std::nullopt;
}

Screen ScreenshotService::activeScreen(std::optional<std::int32_t> targetPID) const
{
    if (targetPID) {
        for (const CapturableWindow& window : capturableWindows()) {
            if (window.ownerPID != targetPID)
                continue;
            if (std::optional<Screen> screen = screenContainingLargestArea(window.frame))
                return *screen;
            break;
        }
    }
    if (std::optional<Screen> screen = screenUnderMouse())
        return *screen;
    if (std::optional<Screen> screen = m_ports.screens.mainScreen())
        return *screen;
    const QList<Screen> screens = m_ports.screens.screens();
    if (!screens.isEmpty())
        return screens.front();
    fail(ScreenshotError::Code::screenUnavailable);
}

void ScreenshotService::requirePermission()
{
    if (m_ports.permission.isGranted())
        return;
    m_ports.permission.request();
    fail(ScreenshotError::Code::permissionDenied);
}

QCoro::Task<Image> ScreenshotService::captureToolRectangle(QRectF rect, Screen screen)
{
    // The tool reads top-left root pixels, while rect is in bottom-left global points.
    const QRect toolRect = ScreenCaptureGeometry::toolRectangle(rect, screen);
    if (toolRect.isEmpty())
        fail(ScreenshotError::Code::captureFailed);
    const QByteArray bytes = co_await m_ports.tool.run(rectangleArguments(toolRect));
    co_return decodeCapture(bytes, screen.scaleFactor);
}

QCoro::Task<Image> ScreenshotService::captureMainDisplay(std::optional<std::int32_t> targetPID)
{
    const Screen screen = activeScreen(targetPID);
    requirePermission();
    const FrozenScreen frozen = co_await freezeScreen(screen);
    co_return Image(frozen.picture);
}

void ScreenshotService::prepareToCapture()
{
    m_ports.screenFreeze.prepare(m_ports.screens.screens());
}

QCoro::Task<FrozenScreen> ScreenshotService::freezeScreen(Screen screen)
{
    requirePermission();
    QList<Screen> screens;
    screens.append(screen);
    const QList<FrozenScreen> frozen = co_await m_ports.screenFreeze.freeze(std::move(screens));
    if (frozen.size() != 1 || frozen.front().picture.isNull())
        fail(ScreenshotError::Code::captureFailed);
    // A copy: this QCoro version moves from whatever co_return names.
    co_return FrozenScreen(frozen.front());
}

Image ScreenshotService::cutFromFrozen(const FrozenScreen& frozen, QRectF rect)
{
    const Screen& screen = frozen.screen;
    const std::optional<QRectF> normalized = ScreenCaptureGeometry::normalizedCaptureRect(rect, screen.frame);
    if (!normalized || frozen.picture.isNull())
        fail(ScreenshotError::Code::captureFailed);
    const QImage& pixels = frozen.picture.pixels();
    const QRect crop = ScreenCaptureGeometry::pixelCropRect(*normalized, screen.frame, pixels.size());
    if (crop.isEmpty())
        fail(ScreenshotError::Code::captureFailed);
    // The point size follows the picture's own density, whatever the screen's rounding.
    const QSizeF points(crop.width() / frozen.picture.scaleX(), crop.height() / frozen.picture.scaleY());
    return Image(pixels.copy(crop), points);
}

QCoro::Task<Image> ScreenshotService::capture(QRectF rect, Screen screen)
{
    const std::optional<QRectF> normalized = ScreenCaptureGeometry::normalizedCaptureRect(rect, screen.frame);
    if (!normalized)
        fail(ScreenshotError::Code::captureFailed);
    requirePermission();
    if (m_ports.rectanglesFromScreenPictures) {
        const FrozenScreen frozen = co_await freezeScreen(screen);
        co_return cutFromFrozen(frozen, *normalized);
    }
    co_return co_await captureToolRectangle(*normalized, screen);
}

QCoro::Task<Image> ScreenshotService::captureExcludingCurrentApp(QRectF rect, Screen screen)
{
    const std::optional<QRectF> normalized = ScreenCaptureGeometry::normalizedCaptureRect(rect, screen.frame);
    if (!normalized)
        fail(ScreenshotError::Code::captureFailed);
    // Without a backend that leaves our windows out, this capture cannot keep its promise.
    if (!excludesOwnWindows())
        fail(ScreenshotError::Code::captureFailed);
    co_return co_await m_ports.displayCapture->captureDisplay(screen, *normalized);
}

QCoro::Task<Image> ScreenshotService::captureWindow(CapturableWindow window)
{
    requirePermission();
    const QByteArray bytes = co_await m_ports.tool.run(SystemScreenshotTool::argumentsForWindowCapture(window.id));
    const std::optional<Screen> screen = screenContainingLargestArea(window.frame);
    co_return decodeCapture(bytes, screen ? screen->scaleFactor : 1.0);
}

QCoro::Task<Image> ScreenshotService::captureActiveWindow(std::optional<std::int32_t> targetPID)
{
    // A Wayland client cannot tell which window is in front; the desktop's dialog lets the user say.
    if (m_ports.desktopWindowCapture) {
        requirePermission();
        co_return co_await m_ports.desktopWindowCapture->captureChosenWindow();
    }
    std::optional<std::int32_t> pid = targetPID;
    if (!pid) {
        const std::optional<RunningApplication> frontmost = m_ports.frontmostApplication.frontmostApplication();
        if (frontmost && frontmost->processId > 0 && frontmost->processId <= std::numeric_limits<std::int32_t>::max())
            pid = static_cast<std::int32_t>(frontmost->processId);
    }
    if (!pid)
        fail(ScreenshotError::Code::captureFailed);
    for (const CapturableWindow& window : capturableWindows()) {
        if (window.ownerPID == pid)
            co_return co_await captureWindow(window);
    }
    fail(ScreenshotError::Code::captureFailed);
}

QCoro::Task<Image> ScreenshotService::captureUserSelectedWindow()
{
    if (m_ports.desktopWindowCapture) {
        requirePermission();
        co_return co_await m_ports.desktopWindowCapture->captureChosenWindow();
    }
    const QList<CapturableWindow> windows = capturableWindows();
    if (windows.isEmpty())
        fail(ScreenshotError::Code::captureFailed);
    requirePermission();
    const QList<FrozenScreen> frozen = co_await m_ports.screenFreeze.freeze(m_ports.screens.screens());
    const std::optional<CapturableWindow> chosen = co_await m_ports.windowSelection.selectWindow(windows, frozen);
    if (!chosen)
        fail(ScreenshotError::Code::cancelled);
    co_return co_await captureWindow(*chosen);
}
