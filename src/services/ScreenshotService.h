#pragma once

#include "domain/CapturableWindow.h"
#include "domain/FrozenScreen.h"
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
class ScreenFreezePort;
class ScreensPort;
class ScreenshotToolPort;
class WindowCapturePort;
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
        // Pictures of the screens for the selection overlays and the full-screen capture.
        ScreenFreezePort& screenFreeze;
        // A backend that leaves our own windows out; none on X11.
        DisplayCapturePort* displayCapture = nullptr;
        // Windows of this application never appear among the capturable ones.
        std::optional<QString> ownApplicationId;
        // In a Wayland session the tool and the window list see only XWayland's windows: a
        // rectangle is then cut from a fresh picture of its screen, and windows are chosen and
        // captured by the desktop itself (through this port).
        bool rectanglesFromScreenPictures = false;
        WindowCapturePort* desktopWindowCapture = nullptr;
    };

    explicit ScreenshotService(Collaborators collaborators);

    // Throws ScreenshotError::screenUnavailable when there is no screen at all.
    [[nodiscard]] Screen activeScreen(std::optional<std::int32_t> targetPID) const;

    // The whole active screen, read in this process: no tool, no PNG between the server and us.
    QCoro::Task<Image> captureMainDisplay(std::optional<std::int32_t> targetPID);
    // `rect` in global points on `screen`.
    QCoro::Task<Image> capture(QRectF rect, Screen screen);
    QCoro::Task<Image> captureExcludingCurrentApp(QRectF rect, Screen screen);
    QCoro::Task<Image> captureActiveWindow(std::optional<std::int32_t> targetPID);
    // The window is picked over pictures of the screens; the capture itself is the window's
    // own pixels from the tool, so it never shows the overlay.
    QCoro::Task<Image> captureUserSelectedWindow();

    // A picture of the screen as it is now, for an area selection to be shown over and cut from.
    QCoro::Task<FrozenScreen> freezeScreen(Screen screen);
    // Makes the memory for pictures of every screen ready, so a capture that follows soon
    // spends less time reading the screen.
    void prepareToCapture();
    // `rect` (global points) cut from the picture at its own density; throws captureFailed
    // when nothing of it lies on the screen.
    [[nodiscard]] static Image cutFromFrozen(const FrozenScreen& frozen, QRectF rect);

    // Whether captureExcludingCurrentApp can work: a backend leaves our own windows out of its
    // pictures, so the workflows need not keep them hidden while it captures.
    [[nodiscard]] bool excludesOwnWindows() const;

    // Front to back.
    [[nodiscard]] QList<CapturableWindow> capturableWindows() const;
    // Ties go to the earlier screen; a rectangle on no screen gives the first one.
    [[nodiscard]] std::optional<Screen> screenContainingLargestArea(const QRectF& rect) const;

private:
    void requirePermission();
    QCoro::Task<Image> captureToolRectangle(QRectF rect, Screen screen);
    QCoro::Task<Image> captureWindow(CapturableWindow window);
    [[nodiscard]] std::optional<Screen> screenUnderMouse() const;

    Collaborators m_ports;
};
