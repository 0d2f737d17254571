#include "platform/x11/XcbFrontmostApplication.h"

#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbWindowList.h"

namespace {

// _NET_ACTIVE_WINDOW source indication: a request made on the user's behalf by a
// program other than the window's own, which window managers honour without
// focus-stealing prevention.
constexpr std::uint32_t sourceIsPager = 2;

} // namespace

XcbFrontmostApplication::XcbFrontmostApplication(XcbConnection& connection, const XcbWindowList& windowList)
    : m_connection(connection)
    , m_windowList(windowList)
{ }

xcb_window_t XcbFrontmostApplication::activeWindow() const
{
    const QList<xcb_window_t> active
        = m_connection.windows(m_connection.root(), m_connection.atom("_NET_ACTIVE_WINDOW"));
    if (!active.isEmpty() && active.front() != XCB_WINDOW_NONE)
        return active.front();
    const auto focus = m_connection.reply(xcb_get_input_focus_reply, xcb_get_input_focus(m_connection.get()));
    if (!focus || focus->focus == XCB_WINDOW_NONE || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT)
        return XCB_WINDOW_NONE;
    return focus->focus;
}

// The focus may sit on a child of the window that carries the properties, so walk up.
std::optional<std::int32_t> XcbFrontmostApplication::pidOf(xcb_window_t window) const
{
    while (window != XCB_WINDOW_NONE && window != m_connection.root()) {
        if (const auto pid = m_connection.cardinal(window, m_connection.atom("_NET_WM_PID")))
            return static_cast<std::int32_t>(*pid);
        const auto tree = m_connection.reply(xcb_query_tree_reply, xcb_query_tree(m_connection.get(), window));
        window = tree ? tree->parent : xcb_window_t(XCB_WINDOW_NONE);
    }
    return std::nullopt;
}

std::optional<QString> XcbFrontmostApplication::applicationIdOf(xcb_window_t window) const
{
    const std::optional<QString> name
        = windowClassName(m_connection.property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING));
    return name ? std::optional(name->toLower()) : std::nullopt;
}

std::optional<RunningApplication> XcbFrontmostApplication::frontmostApplication() const
{
    const xcb_window_t window = activeWindow();
    const std::optional<std::int32_t> pid = pidOf(window);
    if (!pid)
        return std::nullopt;
    const std::optional<QString> className
        = windowClassName(m_connection.property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING));
    return RunningApplication { *pid, applicationIdOf(window), className.value_or(QString()) };
}

bool XcbFrontmostApplication::activate(std::int32_t pid)
{
    const xcb_atom_t activeAtom = m_connection.atom("_NET_ACTIVE_WINDOW");
    const bool managed = m_connection.hasWindowManager();
    for (const std::uint32_t window : m_windowList.stackingOrder()) {
        if (pidOf(window) != pid)
            continue;
        if (!managed) {
            const std::uint32_t above = XCB_STACK_MODE_ABOVE;
            xcb_configure_window(m_connection.get(), window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
            xcb_set_input_focus(m_connection.get(), XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
            xcb_flush(m_connection.get());
            return true;
        }
        xcb_client_message_event_t message {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = activeAtom;
        message.data.data32[0] = sourceIsPager;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(m_connection.get(), 0, m_connection.root(),
            XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
            reinterpret_cast<const char*>(&message));
        xcb_flush(m_connection.get());
        return true;
    }
    return false;
}
