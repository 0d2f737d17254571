#include "platform/x11/XcbConnection.h"

#include "domain/PlatformError.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr int connectAttempts = 3;

// Long enough for any list of windows or atoms we read (in 32-bit units).
constexpr std::uint32_t maximumPropertyLength = 1 << 20;

template <typename Item> QList<Item> items(const std::optional<QByteArray>& bytes)
{
    QList<Item> result;
    if (!bytes)
        return result;
    result.resize(bytes->size() / qsizetype(sizeof(Item)));
    std::memcpy(result.data(), bytes->constData(), result.size() * sizeof(Item));
    return result;
}

} // namespace

XcbConnection::XcbConnection(const char* displayName)
{
    int screenNumber = 0;
    // A busy local server now and then drops a new client during the handshake; a second
    // attempt a moment later gets through.
    for (int attempt = 0; attempt < connectAttempts; ++attempt) {
        if (attempt > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        m_connection = xcb_connect(displayName, &screenNumber);
        if (!xcb_connection_has_error(m_connection))
            break;
        xcb_disconnect(m_connection);
        m_connection = nullptr;
    }
    if (!m_connection)
        throw PlatformError(QStringLiteral("Cannot connect to the X display"));
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i)
        xcb_screen_next(&it);
    m_screen = it.data;
}

XcbConnection::~XcbConnection()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

xcb_atom_t XcbConnection::atom(const char* name)
{
    const QByteArray key(name);
    if (const auto known = m_atoms.constFind(key); known != m_atoms.cend())
        return *known;
    const auto answer = reply(xcb_intern_atom_reply,
        xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(key.size()), key.constData()));
    const xcb_atom_t value = answer ? answer->atom : xcb_atom_t(XCB_ATOM_NONE);
    m_atoms.insert(key, value);
    return value;
}

std::optional<QByteArray> XcbConnection::property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const
{
    if (property == XCB_ATOM_NONE)
        return std::nullopt;
    const auto answer = reply(
        xcb_get_property_reply, xcb_get_property(m_connection, 0, window, property, type, 0, maximumPropertyLength));
    if (!answer || answer->type == XCB_ATOM_NONE || (type != XCB_ATOM_ANY && answer->type != type))
        return std::nullopt;
    const int length = xcb_get_property_value_length(answer.get());
    return QByteArray(static_cast<const char*>(xcb_get_property_value(answer.get())), length);
}

std::optional<std::uint32_t> XcbConnection::cardinal(xcb_window_t window, xcb_atom_t property) const
{
    const QList<std::uint32_t> values = items<std::uint32_t>(this->property(window, property, XCB_ATOM_CARDINAL));
    if (values.isEmpty())
        return std::nullopt;
    return values.front();
}

QList<xcb_window_t> XcbConnection::windows(xcb_window_t window, xcb_atom_t property) const
{
    return items<xcb_window_t>(this->property(window, property, XCB_ATOM_WINDOW));
}

QList<xcb_atom_t> XcbConnection::atoms(xcb_window_t window, xcb_atom_t property) const
{
    return items<xcb_atom_t>(this->property(window, property, XCB_ATOM_ATOM));
}

bool XcbConnection::hasWindowManager()
{
    return !windows(root(), atom("_NET_SUPPORTING_WM_CHECK")).isEmpty();
}

std::optional<QString> windowClassName(const std::optional<QByteArray>& wmClass)
{
    if (!wmClass)
        return std::nullopt;
    const QList<QByteArray> parts = wmClass->split('\0');
    if (parts.size() < 2 || parts.at(1).isEmpty())
        return std::nullopt;
    return QString::fromLatin1(parts.at(1));
}
