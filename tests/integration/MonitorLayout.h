#pragma once

// A two-monitor desktop on the one Xvfb screen, made with RandR 1.5 monitors: "left" is the
// primary (root 0,0 1200×800) and holds the server's output, "right" (root 1200,0 720×1080)
// stands beside it, so its global frame is (1200, -280, 720, 1080): an origin away from zero
// on both axes. The monitors are removed again when the layout goes.

#include "platform/x11/XcbConnection.h"

#include <xcb/randr.h>

#include <QRect>

class MonitorLayout {
public:
    static constexpr QRect leftRoot { 0, 0, 1200, 800 };
    static constexpr QRect rightRoot { 1200, 0, 720, 1080 };

    explicit MonitorLayout(XcbConnection& connection)
        : m_connection(connection)
    {
        const auto resources = connection.reply(xcb_randr_get_screen_resources_current_reply,
            xcb_randr_get_screen_resources_current(connection.get(), connection.root()));
        if (!resources || xcb_randr_get_screen_resources_current_outputs_length(resources.get()) < 1)
            return;
        const xcb_randr_output_t output = xcb_randr_get_screen_resources_current_outputs(resources.get())[0];
        m_ready = add("TROVIX-LEFT", leftRoot, true, &output) && add("TROVIX-RIGHT", rightRoot, false, nullptr);
        xcb_flush(connection.get());
    }

    ~MonitorLayout()
    {
        for (const char* name : { "TROVIX-LEFT", "TROVIX-RIGHT" })
            xcb_randr_delete_monitor(m_connection.get(), m_connection.root(), m_connection.atom(name));
        xcb_flush(m_connection.get());
    }

    MonitorLayout(const MonitorLayout&) = delete;
    MonitorLayout& operator=(const MonitorLayout&) = delete;

    [[nodiscard]] bool isReady() const { return m_ready; }

private:
    bool add(const char* name, QRect root, bool primary, const xcb_randr_output_t* output)
    {
        // The request carries the monitor's outputs right after its fixed part.
        struct {
            xcb_randr_monitor_info_t info;
            xcb_randr_output_t outputs[1];
        } monitor {};
        monitor.info.name = m_connection.atom(name);
        monitor.info.primary = primary ? 1 : 0;
        monitor.info.nOutput = output ? 1 : 0;
        monitor.info.x = std::int16_t(root.x());
        monitor.info.y = std::int16_t(root.y());
        monitor.info.width = std::uint16_t(root.width());
        monitor.info.height = std::uint16_t(root.height());
        monitor.info.width_in_millimeters = std::uint32_t(root.width() / 4);
        monitor.info.height_in_millimeters = std::uint32_t(root.height() / 4);
        if (output)
            monitor.outputs[0] = *output;
        const xcb_void_cookie_t cookie
            = xcb_randr_set_monitor_checked(m_connection.get(), m_connection.root(), &monitor.info);
        xcb_generic_error_t* error = xcb_request_check(m_connection.get(), cookie);
        const bool accepted = error == nullptr;
        std::free(error);
        return accepted;
    }

    XcbConnection& m_connection;
    bool m_ready = false;
};
