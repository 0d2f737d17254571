#pragma once

// Monitors on the one screen of an X server, made with RandR 1.5. The default desktop: "left"
// is the primary (root 0,0 1200×800) and holds the server's output, "right" (root 1200,0
// 720×1080) stands beside it, so its global frame is (1200, -280, 720, 1080): an origin away
// from zero on both axes. The monitors are removed again when the layout goes.

#include "platform/x11/XcbConnection.h"

#include <xcb/randr.h>
#include <xcb/xcbext.h>

#include <sys/uio.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include <QRect>

class MonitorLayout {
public:
    struct Monitor {
        const char* name;
        QRect root;
        bool primary;
        // The server's one output; giving it away retires the automatic monitor over the root.
        bool holdsOutput;
    };

    static constexpr QRect leftRoot { 0, 0, 1200, 800 };
    static constexpr QRect rightRoot { 1200, 0, 720, 1080 };

    explicit MonitorLayout(XcbConnection& connection,
        std::vector<Monitor> monitors = { { "TROVIX-LEFT", leftRoot, true, true },
            { "TROVIX-RIGHT", rightRoot, false, false } })
        : m_connection(connection)
        , m_monitors(std::move(monitors))
    {
        const auto resources = connection.reply(xcb_randr_get_screen_resources_current_reply,
            xcb_randr_get_screen_resources_current(connection.get(), connection.root()));
        if (!resources || xcb_randr_get_screen_resources_current_outputs_length(resources.get()) < 1)
            return;
        const xcb_randr_output_t output = xcb_randr_get_screen_resources_current_outputs(resources.get())[0];
        m_ready = true;
        for (const Monitor& monitor : m_monitors)
            m_ready = m_ready && add(monitor, monitor.holdsOutput ? &output : nullptr);
        xcb_flush(connection.get());
    }

    ~MonitorLayout()
    {
        for (const Monitor& monitor : m_monitors)
            xcb_randr_delete_monitor(m_connection.get(), m_connection.root(), m_connection.atom(monitor.name));
        xcb_flush(m_connection.get());
    }

    MonitorLayout(const MonitorLayout&) = delete;
    MonitorLayout& operator=(const MonitorLayout&) = delete;

    [[nodiscard]] bool isReady() const { return m_ready; }

private:
    // Sent by hand: the SetMonitor request this libxcb generates has a wrong length, which
    // drops the connection (and trips libxcb's own assertion in checked builds).
    bool add(const Monitor& monitor, const xcb_randr_output_t* output)
    {
        struct {
            std::uint8_t major, minor;
            std::uint16_t length;
            std::uint32_t window;
        } header { 0, XCB_RANDR_SET_MONITOR, 0, m_connection.root() };
        xcb_randr_monitor_info_t info {};
        info.name = m_connection.atom(monitor.name);
        info.primary = monitor.primary ? 1 : 0;
        info.nOutput = output ? 1 : 0;
        info.x = std::int16_t(monitor.root.x());
        info.y = std::int16_t(monitor.root.y());
        info.width = std::uint16_t(monitor.root.width());
        info.height = std::uint16_t(monitor.root.height());
        info.width_in_millimeters = std::uint32_t(monitor.root.width() / 4);
        info.height_in_millimeters = std::uint32_t(monitor.root.height() / 4);
        xcb_randr_output_t outputs[1] = { output ? *output : 0 };
        // xcb_send_request needs two spare parts in front of the request's own.
        iovec parts[5] {};
        parts[2] = { &header, sizeof header };
        parts[3] = { &info, sizeof info };
        parts[4] = { outputs, output ? sizeof outputs : 0 };
        xcb_protocol_request_t request { 3, &xcb_randr_id, XCB_RANDR_SET_MONITOR, 1 };
        const xcb_void_cookie_t cookie { xcb_send_request(m_connection.get(), XCB_REQUEST_CHECKED, parts + 2, &request) };
        xcb_generic_error_t* error = xcb_request_check(m_connection.get(), cookie);
        const bool accepted = error == nullptr;
        std::free(error);
        return accepted;
    }

    XcbConnection& m_connection;
    std::vector<Monitor> m_monitors;
    bool m_ready = false;
};
