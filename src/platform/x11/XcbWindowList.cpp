#include "platform/x11/XcbWindowList.h"

#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbScreens.h"

#include <algorithm>
#include <cstring>

namespace {

// Window levels in the sense of the window list: 0 is an ordinary window; these mirror
// the levels other desktops give floating panels and docks.
constexpr int floatingLayer = 3;
constexpr int dockLayer = 20;

constexpr std::uint32_t propertyLength = 4096;

struct Atoms {
    xcb_atom_t netWmName, utf8String, netWmPid, netWmWindowType, netWmState, netWmOpacity;
    xcb_atom_t typeNormal, typeDialog, typeDesktop, typeDock, stateHidden, stateAbove;

    explicit Atoms(XcbConnection& c)
        : netWmName(c.atom("_NET_WM_NAME"))
        , utf8String(c.atom("UTF8_STRING"))
        , netWmPid(c.atom("_NET_WM_PID"))
        , netWmWindowType(c.atom("_NET_WM_WINDOW_TYPE"))
        , netWmState(c.atom("_NET_WM_STATE"))
        , netWmOpacity(c.atom("_NET_WM_WINDOW_OPACITY"))
        , typeNormal(c.atom("_NET_WM_WINDOW_TYPE_NORMAL"))
        , typeDialog(c.atom("_NET_WM_WINDOW_TYPE_DIALOG"))
        , typeDesktop(c.atom("_NET_WM_WINDOW_TYPE_DESKTOP"))
        , typeDock(c.atom("_NET_WM_WINDOW_TYPE_DOCK"))
        , stateHidden(c.atom("_NET_WM_STATE_HIDDEN"))
        , stateAbove(c.atom("_NET_WM_STATE_ABOVE"))
    { }
};

// Every request for one window goes out before any reply is read: one round trip for
// the whole list instead of a dozen per window.
struct PendingWindow {
    xcb_window_t id;
    xcb_get_window_attributes_cookie_t attributes;
    xcb_get_geometry_cookie_t geometry;
    xcb_translate_coordinates_cookie_t position;
    xcb_get_property_cookie_t netName, name, pid, windowClass, type, state, opacity;
};

PendingWindow request(xcb_connection_t* c, xcb_window_t root, xcb_window_t id, const Atoms& atoms)
{
    auto property
        = [&](xcb_atom_t name, xcb_atom_t type) { return xcb_get_property(c, 0, id, name, type, 0, propertyLength); };
    return { id, xcb_get_window_attributes(c, id), xcb_get_geometry(c, id),
        xcb_translate_coordinates(c, id, root, 0, 0), property(atoms.netWmName, atoms.utf8String),
        property(XCB_ATOM_WM_NAME, XCB_ATOM_STRING), property(atoms.netWmPid, XCB_ATOM_CARDINAL),
        property(XCB_ATOM_WM_CLASS, XCB_ATOM_STRING), property(atoms.netWmWindowType, XCB_ATOM_ATOM),
        property(atoms.netWmState, XCB_ATOM_ATOM), property(atoms.netWmOpacity, XCB_ATOM_CARDINAL) };
}

std::optional<QByteArray> value(const XcbConnection& c, xcb_get_property_cookie_t cookie)
{
    const auto answer = c.reply(xcb_get_property_reply, cookie);
    if (!answer || answer->type == XCB_ATOM_NONE)
        return std::nullopt;
    return QByteArray(
        static_cast<const char*>(xcb_get_property_value(answer.get())), xcb_get_property_value_length(answer.get()));
}

template <typename Item> QList<Item> items(const std::optional<QByteArray>& bytes)
{
    QList<Item> result(bytes ? bytes->size() / qsizetype(sizeof(Item)) : 0);
    if (!result.isEmpty())
        std::memcpy(result.data(), bytes->constData(), result.size() * sizeof(Item));
    return result;
}

std::optional<int> layer(const QList<xcb_atom_t>& types, const QList<xcb_atom_t>& states, const Atoms& atoms)
{
    if (types.contains(atoms.typeDock))
        return dockLayer;
    const bool ordinary = types.isEmpty() || types.front() == atoms.typeNormal || types.front() == atoms.typeDialog;
    if (!ordinary || states.contains(atoms.stateAbove))
        return floatingLayer;
    return 0;
}

std::optional<WindowListEntry> collect(const XcbConnection& c, const PendingWindow& pending, const Atoms& atoms,
    const XcbScreens::RootToGlobal& conversion)
{
    const auto attributes = c.reply(xcb_get_window_attributes_reply, pending.attributes);
    const auto geometry = c.reply(xcb_get_geometry_reply, pending.geometry);
    const auto position = c.reply(xcb_translate_coordinates_reply, pending.position);
    const QList<xcb_atom_t> types = items<xcb_atom_t>(value(c, pending.type));
    const QList<xcb_atom_t> states = items<xcb_atom_t>(value(c, pending.state));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE
        || attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY || types.contains(atoms.typeDesktop)
        || states.contains(atoms.stateHidden))
        return std::nullopt;

    WindowListEntry entry;
    entry.number = pending.id;
    if (geometry && position) {
        const QRectF root(position->dst_x, position->dst_y, geometry->width, geometry->height);
        entry.frame = conversion.rect(root);
    }
    if (const auto title = value(c, pending.netName))
        entry.title = QString::fromUtf8(*title);
    else if (const auto legacyTitle = value(c, pending.name))
        entry.title = QString::fromLatin1(*legacyTitle);
    if (const QList<std::uint32_t> pid = items<std::uint32_t>(value(c, pending.pid)); !pid.isEmpty())
        entry.ownerPID = static_cast<std::int32_t>(pid.front());
    entry.ownerName = windowClassName(value(c, pending.windowClass));
    entry.applicationId = entry.ownerName ? std::optional(entry.ownerName->toLower()) : std::nullopt;
    // Override-redirect windows are menus and tooltips that bypass the window manager.
    entry.layer = attributes->override_redirect ? floatingLayer : layer(types, states, atoms);
    if (const QList<std::uint32_t> opacity = items<std::uint32_t>(value(c, pending.opacity)); !opacity.isEmpty())
        entry.alpha = opacity.front() / double(0xffffffffu);
    return entry;
}

} // namespace

XcbWindowList::XcbWindowList(XcbConnection& connection, const XcbScreens& screens)
    : m_connection(connection)
    , m_screens(screens)
{ }

QList<std::uint32_t> XcbWindowList::stackingOrder() const
{
    const xcb_window_t root = m_connection.root();
    QList<xcb_window_t> bottomToTop = m_connection.windows(root, m_connection.atom("_NET_CLIENT_LIST_STACKING"));
    if (bottomToTop.isEmpty()) {
        // No window manager: the root's children, in stacking order from the bottom.
        const auto tree = m_connection.reply(xcb_query_tree_reply, xcb_query_tree(m_connection.get(), root));
        if (tree) {
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            bottomToTop = QList<xcb_window_t>(children, children + xcb_query_tree_children_length(tree.get()));
        }
    }
    std::reverse(bottomToTop.begin(), bottomToTop.end());
    return bottomToTop;
}

QList<WindowListEntry> XcbWindowList::onScreenWindows() const
{
    const Atoms atoms(m_connection);
    const XcbScreens::RootToGlobal conversion = m_screens.rootToGlobal();
    QList<PendingWindow> pending;
    for (const std::uint32_t id : stackingOrder())
        pending.append(request(m_connection.get(), m_connection.root(), id, atoms));

    QList<WindowListEntry> entries;
    for (const PendingWindow& window : pending) {
        if (std::optional<WindowListEntry> entry = collect(m_connection, window, atoms, conversion))
            entries.append(std::move(*entry));
    }
    return entries;
}
