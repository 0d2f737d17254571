#pragma once

#include "domain/CapturableWindow.h"
#include "domain/Image.h"
#include "domain/Screen.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QRectF>
#include <QString>

#include <cstdint>
#include <optional>

class DisplayCapturePort;
class FrontmostApplicationPort;
class ScreenCapturePermission;
class ScreensPort;
class ScreenshotToolPort;
class WindowListPort;
class WindowSelectionPort;

// The single way the rest of the application obtains a screen image: decides which screen
// a capture concerns, which windows may be captured, checks the permission and hands the
// grab to a backend. Holds nothing but its collaborators, so a failed call leaves no state.
class ScreenshotService {
public:
    struct Collaborators {
        ScreensPort& screens;
        WindowListPort& windowList;
        FrontmostApplicationPort& frontmostApplication;
        ScreenCapturePermission& permission;
        ScreenshotToolPort& tool;
        WindowSelectionPort& windowSelection;
        // A backend that leaves our own windows out; none on X11.
        DisplayCapturePort* displayCapture = nullptr;
        // Windows of this application never appear among the capturable ones.
        std::optional<QString> ownApplicationId;
    };

    explicit ScreenshotService(Collaborators collaborators);

    // Throws ScreenshotError::screenUnavailable when there is no screen at all.
    [[nodiscard]] Screen activeScreen(std::optional<std::int32_t> targetPID) const;

    QCoro::Task<Image> captureMainDisplay(std::optional<std::int32_t> targetPID);
    // `rect` in global points on `screen`.
    QCoro::Task<Image> capture(QRectF rect, Screen screen);
    QCoro::Task<Image> captureExcludingCurrentApp(QRectF rect, Screen screen);
    QCoro::Task<Image> captureActiveWindow(std::optional<std::int32_t> targetPID);
    QCoro::Task<Image> captureUserSelectedWindow();

    // Whether captureExcludingCurrentApp can work: a backend leaves our own windows out of its
    // pictures, so the workflows need not keep them hidden while it captures.
    [[nodiscard]] bool excludesOwnWindows() const;

    // Front to back.
    [[nodiscard]] QList<CapturableWindow> capturableWindows() const;
    [[nodiscard]] QRectF desktopUnionFrame() const;
    // Ties go to the earlier screen; a rectangle on no screen gives the first one.
    [[nodiscard]] std::optional<Screen> screenContainingLargestArea(const QRectF& rect) const;

private:
    void requirePermission();
    QCoro::Task<Image> captureToolRectangle(QRectF rect, Screen screen);
    QCoro::Task<Image> captureWindow(CapturableWindow window);
    [[nodiscard]] std::optional<Screen> screenUnderMouse() const;

    Collaborators m_ports;
};
