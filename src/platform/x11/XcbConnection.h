#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <type_traits>

template <typename Reply> using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

// One connection to the X server, closed when it goes. Requests are sent by the caller
// with the plain xcb functions; replies come back owned through reply().
class XcbConnection {
public:
    // Throws PlatformError when no X server can be reached; a null display name means $DISPLAY.
    explicit XcbConnection(const char* displayName = nullptr);
    ~XcbConnection();
    XcbConnection(const XcbConnection&) = delete;
    XcbConnection& operator=(const XcbConnection&) = delete;

    [[nodiscard]] xcb_connection_t* get() const { return m_connection; }
    [[nodiscard]] xcb_screen_t* screen() const { return m_screen; }
    [[nodiscard]] xcb_window_t root() const { return m_screen->root; }

    // Waits for the reply of a request; an X error gives a null reply (and is dropped here,
    // because every caller treats "no answer" the same as "failed").
    template <typename ReplyFunction, typename Cookie>
    [[nodiscard]] auto reply(ReplyFunction replyFunction, Cookie cookie) const
    {
        using Reply = std::remove_pointer_t<
            std::invoke_result_t<ReplyFunction, xcb_connection_t*, Cookie, xcb_generic_error_t**>>;
        xcb_generic_error_t* error = nullptr;
        XcbReply<Reply> answer(replyFunction(m_connection, cookie, &error), &std::free);
        std::free(error);
        return answer;
    }

    // The atom of a name, looked up once per connection.
    [[nodiscard]] xcb_atom_t atom(const char* name);

    // A property's raw bytes (8-, 16- or 32-bit items as the server stores them); none when
    // the window has no such property of that type.
    [[nodiscard]] std::optional<QByteArray> property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const;
    [[nodiscard]] std::optional<std::uint32_t> cardinal(xcb_window_t window, xcb_atom_t property) const;
    [[nodiscard]] QList<xcb_window_t> windows(xcb_window_t window, xcb_atom_t property) const;
    [[nodiscard]] QList<xcb_atom_t> atoms(xcb_window_t window, xcb_atom_t property) const;

    // True when a window manager announces itself on the root window.
    [[nodiscard]] bool hasWindowManager();

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_screen_t* m_screen = nullptr;
    QHash<QByteArray, xcb_atom_t> m_atoms;
};

// WM_CLASS holds "instance\0class\0"; the class names the application.
[[nodiscard]] std::optional<QString> windowClassName(const std::optional<QByteArray>& wmClass);
