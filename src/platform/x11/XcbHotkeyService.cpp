#include "platform/x11/XcbHotkeyService.h"

#include "domain/HotkeyKeys.h"
#include "domain/PlatformError.h"
#include "platform/x11/XcbKeyboardMapping.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <cstdlib>

namespace {

// Quiet unless asked for (QT_LOGGING_RULES="trovix.hotkeys.debug=true"): a refused
// shortcut is an ordinary outcome, not a fault.
Q_LOGGING_CATEGORY(lcHotkeys, "trovix.hotkeys", QtInfoMsg)

// The core modifier bits; the pointer-button and keyboard-group bits above them never
// take part in a grab.
constexpr std::uint16_t modifierBits = 0xff;

// The lock states a shortcut must also fire in: none, Caps Lock, Num Lock, both.
std::vector<std::uint16_t> lockVariants(std::uint16_t numLockMask)
{
    std::vector<std::uint16_t> variants { 0, XCB_MOD_MASK_LOCK };
    if (numLockMask != 0 && numLockMask != XCB_MOD_MASK_LOCK) {
        variants.push_back(numLockMask);
        variants.push_back(static_cast<std::uint16_t>(numLockMask | XCB_MOD_MASK_LOCK));
    }
    return variants;
}

xcb_connection_t* qtConnection()
{
    auto* application = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = application ? application->connection() : nullptr;
    if (!connection)
        throw PlatformError(QStringLiteral("Global shortcuts need an X11 display"));
    return connection;
}

} // namespace

XcbHotkeyService::XcbHotkeyService(QObject* parent)
    : QObject(parent)
    , m_connection(qtConnection())
{
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(m_connection)); it.rem > 0; xcb_screen_next(&it))
        m_roots.push_back(it.data->root);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

XcbHotkeyService::~XcbHotkeyService()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    releaseGrabs();
    xcb_flush(m_connection);
}

void XcbHotkeyService::setCallbacks(Callbacks callbacks)
{
    m_callbacks = std::move(callbacks);
}

void XcbHotkeyService::registerHotkeys(const Shortcuts& shortcuts)
{
    releaseGrabs();
    m_requested = shortcuts;
    const XcbKeyboardMapping mapping(m_connection);
    m_numLockMask = mapping.numLockMask();
    for (const auto& [action, shortcut] : shortcuts) {
        const std::optional<std::uint32_t> keysym = HotkeyKeys::keysym(shortcut.keyCode);
        const std::vector<xcb_keycode_t> keyCodes = keysym ? mapping.keyCodes(*keysym) : std::vector<xcb_keycode_t> {};
        const std::uint16_t modifiers = HotkeyKeys::xModifiers(shortcut.modifiers);
        // Two actions on one combination cannot both fire: the first in list order keeps it.
        if (keyCodes.empty() || isTaken(keyCodes.front(), modifiers) || !grabOnEveryRoot(keyCodes, modifiers)) {
            qCDebug(lcHotkeys) << "no hot key for" << HotkeyActions::settingKey(action) << shortcut.displayText();
            continue;
        }
        for (xcb_keycode_t keyCode : keyCodes)
            m_hotkeys.push_back({ action, shortcut, keyCode, modifiers });
    }
    xcb_flush(m_connection);
}

HotkeyRegistrar::Shortcuts XcbHotkeyService::registeredHotkeys() const
{
    Shortcuts granted;
    for (const Hotkey& hotkey : m_hotkeys)
        granted.emplace(hotkey.action, hotkey.shortcut);
    return granted;
}

bool XcbHotkeyService::isTaken(xcb_keycode_t keyCode, std::uint16_t modifiers) const
{
    return std::ranges::any_of(
        m_hotkeys, [&](const Hotkey& hotkey) { return hotkey.keyCode == keyCode && hotkey.modifiers == modifiers; });
}

// All or nothing: when the server refuses any variant (BadAccess: another client grabbed
// it first) the variants already taken are given back, so the shortcut does not work
// for us in some lock states and for the other client in the rest.
bool XcbHotkeyService::grabOnEveryRoot(const std::vector<xcb_keycode_t>& keyCodes, std::uint16_t modifiers)
{
    std::vector<Grab> attempted;
    std::vector<xcb_void_cookie_t> cookies;
    for (xcb_window_t root : m_roots) {
        for (xcb_keycode_t keyCode : keyCodes) {
            for (std::uint16_t locks : lockVariants(m_numLockMask)) {
                const auto variant = static_cast<std::uint16_t>(modifiers | locks);
                attempted.push_back({ root, keyCode, variant });
                // owner_events off: the press is always reported on the root window, never on
                // one of our own windows that happens to have the focus.
                cookies.push_back(xcb_grab_key_checked(
                    m_connection, 0, root, variant, keyCode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
        }
    }
    // Checking after sending them all costs one round trip instead of one per grab.
    std::vector<Grab> granted;
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookies[i]))
            std::free(error);
        else
            granted.push_back(attempted[i]);
    }
    if (granted.size() == attempted.size()) {
        m_grabs.insert(m_grabs.end(), granted.begin(), granted.end());
        return true;
    }
    for (const Grab& grab : granted)
        xcb_ungrab_key(m_connection, grab.keyCode, grab.root, grab.modifiers);
    return false;
}

void XcbHotkeyService::releaseGrabs()
{
    for (const Grab& grab : m_grabs)
        xcb_ungrab_key(m_connection, grab.keyCode, grab.root, grab.modifiers);
    m_grabs.clear();
    m_hotkeys.clear();
}

bool XcbHotkeyService::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const auto type = static_cast<std::uint8_t>(event->response_type & ~0x80);
    if (type == XCB_MAPPING_NOTIFY) {
        // Another keymap may move the keys and Num Lock: grab again from the new one.
        const auto* notify = reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
        if (notify->request != XCB_MAPPING_POINTER)
            QMetaObject::invokeMethod(
                this, [this] { registerHotkeys(Shortcuts(m_requested)); }, Qt::QueuedConnection);
        return false;
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    const std::optional<HotkeyAction> action = actionFor(key->event, key->detail, key->state);
    if (!action)
        return false;
    // Releases are ours too (the grab delivers them) but start nothing.
    if (type == XCB_KEY_PRESS)
        QMetaObject::invokeMethod(
            this, [this, action = *action] { dispatch(action); }, Qt::QueuedConnection);
    return true;
}

std::optional<HotkeyAction> XcbHotkeyService::actionFor(
    xcb_window_t window, xcb_keycode_t keyCode, std::uint16_t state) const
{
    if (std::ranges::find(m_roots, window) == m_roots.end())
        return std::nullopt;
    const auto modifiers = static_cast<std::uint16_t>(state & modifierBits & ~(XCB_MOD_MASK_LOCK | m_numLockMask));
    for (const Hotkey& hotkey : m_hotkeys) {
        if (hotkey.keyCode == keyCode && hotkey.modifiers == modifiers)
            return hotkey.action;
    }
    return std::nullopt;
}

void XcbHotkeyService::dispatch(HotkeyAction action)
{
    const auto found = m_callbacks.find(action);
    if (found == m_callbacks.end() || !found->second)
        return;
    // A copy: the callback may replace the callbacks while it runs.
    const Callback callback = found->second;
    callback();
}
