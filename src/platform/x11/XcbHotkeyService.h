#pragma once

#include "ports/HotkeyRegistrar.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

// Global hot keys on X11. Each shortcut is a passive key grab on every root window, taken
// once per combination of Caps Lock and Num Lock: the server only starts a grab when the
// modifier state equals the grabbed one exactly, and those two locks are part of the state.
// It shares Qt's own xcb connection, so that the presses come in through Qt's event
// dispatcher; the application must therefore run on Qt's xcb platform.
class XcbHotkeyService final : public QObject, public HotkeyRegistrar, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    using Callback = std::function<void()>;
    using Callbacks = std::map<HotkeyAction, Callback>;

    // Throws PlatformError when the application does not run on an X server.
    explicit XcbHotkeyService(QObject* parent = nullptr);
    ~XcbHotkeyService() override;
    XcbHotkeyService(const XcbHotkeyService&) = delete;
    XcbHotkeyService& operator=(const XcbHotkeyService&) = delete;

    // Replaces every earlier callback; a press of an action without one does nothing.
    // A callback runs in a later turn of the event loop than the press that started it.
    void setCallbacks(Callbacks callbacks);

    // Releases every grab and takes one for each shortcut. A combination another client
    // holds is left out without complaint (it still works for that client).
    void registerHotkeys(const Shortcuts& shortcuts) override;

    // The part of the last registration the server granted.
    [[nodiscard]] Shortcuts registeredHotkeys() const;

private:
    struct Grab {
        xcb_window_t root;
        xcb_keycode_t keyCode;
        std::uint16_t modifiers;
    };
    struct Hotkey {
        HotkeyAction action;
        HotkeyShortcut shortcut;
        xcb_keycode_t keyCode;
        std::uint16_t modifiers; // without the lock bits
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    [[nodiscard]] std::optional<HotkeyAction> actionFor(
        xcb_window_t window, xcb_keycode_t keyCode, std::uint16_t state) const;
    void dispatch(HotkeyAction action);

    void releaseGrabs();
    [[nodiscard]] bool grabOnEveryRoot(const std::vector<xcb_keycode_t>& keyCodes, std::uint16_t modifiers);
    [[nodiscard]] bool isTaken(xcb_keycode_t keyCode, std::uint16_t modifiers) const;

    xcb_connection_t* m_connection = nullptr;
    std::vector<xcb_window_t> m_roots;
    std::uint16_t m_numLockMask = 0;
    Shortcuts m_requested;
    std::vector<Hotkey> m_hotkeys;
    std::vector<Grab> m_grabs;
    Callbacks m_callbacks;
};
