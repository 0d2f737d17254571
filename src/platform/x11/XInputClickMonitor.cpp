#include "platform/x11/XInputClickMonitor.h"

#include "domain/TrovixError.h"
#include "platform/x11/XcbConnection.h"

#include <QLoggingCategory>
#include <QSocketNotifier>

#include <xcb/xinput.h>

namespace {

Q_LOGGING_CATEGORY(clickMonitorLog, "trovix.clickmonitor")

// Buttons 4 to 7 are wheel clicks, which scroll rather than click (and the scrolling capture
// turns the wheel itself).
bool isWheelButton(std::uint32_t button)
{
    return button >= 4 && button <= 7;
}

class RawButtonWatch : public ClickMonitorPort::Watch {
public:
    RawButtonWatch(std::unique_ptr<XcbConnection> connection, std::uint8_t opcode, std::function<void()> onClick)
        : m_connection(std::move(connection))
        , m_opcode(opcode)
        , m_onClick(std::move(onClick))
        , m_notifier(xcb_get_file_descriptor(m_connection->get()), QSocketNotifier::Read)
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, [this] { readEvents(); });
        // Replies read while setting up may have brought events along.
        readEvents();
    }

private:
    void readEvents()
    {
        int clicks = 0;
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection->get())) {
            if (isButtonPress(event))
                ++clicks;
            std::free(event);
        }
        if (xcb_connection_has_error(m_connection->get())) {
            // The server went away; there is nothing more to watch.
            m_notifier.setEnabled(false);
            return;
        }
        // One notification however many presses arrived together: each means the same thing.
        if (clicks > 0)
            m_onClick();
    }

    [[nodiscard]] bool isButtonPress(const xcb_generic_event_t* event) const
    {
        if ((event->response_type & 0x7f) != XCB_GE_GENERIC)
            return false;
        const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
        if (generic->extension != m_opcode || generic->event_type != XCB_INPUT_RAW_BUTTON_PRESS)
            return false;
        const auto* press = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event);
        // Presses the server made up from touches or smooth scrolling are not the user's clicks.
        return !isWheelButton(press->detail) && !(press->flags & XCB_INPUT_POINTER_EVENT_FLAGS_POINTER_EMULATED);
    }

    std::unique_ptr<XcbConnection> m_connection;
    std::uint8_t m_opcode;
    std::function<void()> m_onClick;
    QSocketNotifier m_notifier;
};

} // namespace

XInputClickMonitor::XInputClickMonitor(const char* displayName)
    : m_displayName(displayName)
    , m_hasDisplayName(displayName != nullptr)
{ }

std::unique_ptr<ClickMonitorPort::Watch> XInputClickMonitor::watchClicks(std::function<void()> onClick)
{
    std::unique_ptr<XcbConnection> connection;
    try {
        connection = std::make_unique<XcbConnection>(m_hasDisplayName ? m_displayName.constData() : nullptr);
    } catch (const TrovixError& error) {
        qCWarning(clickMonitorLog) << "no connection for watching clicks:" << error.description();
        return nullptr;
    }
    xcb_connection_t* raw = connection->get();
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(raw, &xcb_input_id);
    // Raw events reach every client that selects them, grabs or not, since XInput 2.1.
    const auto version = extension && extension->present
        ? connection->reply(xcb_input_xi_query_version_reply, xcb_input_xi_query_version(raw, 2, 1))
        : XcbReply<xcb_input_xi_query_version_reply_t>(nullptr, &std::free);
    if (!version || version->major_version < 2 || (version->major_version == 2 && version->minor_version < 1)) {
        qCWarning(clickMonitorLog) << "the X server offers no XInput 2.1; clicks cannot be watched";
        return nullptr;
    }
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask { { XCB_INPUT_DEVICE_ALL_MASTER, 1 }, XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS };
    const xcb_void_cookie_t cookie = xcb_input_xi_select_events_checked(raw, connection->root(), 1, &mask.head);
    if (xcb_generic_error_t* error = xcb_request_check(raw, cookie)) {
        std::free(error);
        qCWarning(clickMonitorLog) << "the X server refused to report clicks";
        return nullptr;
    }
    return std::make_unique<RawButtonWatch>(std::move(connection), extension->major_opcode, std::move(onClick));
}
