#pragma once

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

class EditorWindowPort;

// How high a window floats above ordinary ones. Captures hide our windows below the status
// level; panels, menus and overlays at or above it stay where they are.
namespace WindowLevel {
constexpr int normal = 0;
constexpr int floating = 3;
constexpr int status = 25;
constexpr int popUpMenu = 101;
constexpr int screenSaver = 1000;
} // namespace WindowLevel

// One top-level window of this application.
struct ApplicationWindow {
    // Stable while the window exists; only meaningful to the port that handed it out.
    std::uintptr_t id = 0;
    QString title;
    bool isVisible = false;
    int level = WindowLevel::normal;

    friend bool operator==(const ApplicationWindow&, const ApplicationWindow&) = default;
};

// This application's own top-level windows, for getting them out of a screenshot's way.
class ApplicationWindowsPort {
public:
    virtual ~ApplicationWindowsPort() = default;

    // Front to back.
    [[nodiscard]] virtual QList<ApplicationWindow> windows() const = 0;
    // The id of the editor's window among windows(); none when it is not one of them.
    [[nodiscard]] virtual std::optional<std::uintptr_t> idOf(const EditorWindowPort& editor) const = 0;
    // One of windows() seen as an editor window, for when none has been registered. The port
    // owns it; it stays valid while the window lives. None for an id no window has.
    [[nodiscard]] virtual EditorWindowPort* editorWindowFor(std::uintptr_t id) = 0;

    // Takes the keyboard focus away from the window and hides it.
    virtual void orderOut(std::uintptr_t id) = 0;
    // Shows the window above the others without activating the application.
    virtual void orderFrontRegardless(std::uintptr_t id) = 0;
    // A window that ignores the mouse lets no click or movement reach it.
    virtual void setIgnoresMouseEvents(std::uintptr_t id, bool ignores) = 0;
};
