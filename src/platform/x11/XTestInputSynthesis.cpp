#include "platform/x11/XTestInputSynthesis.h"

#include "domain/ScrollingCaptureAutomationError.h"
#include "domain/TrovixError.h"
#include "platform/x11/XcbConnection.h"

#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

namespace {

// X keysyms of Page Up and Page Down (XK_Prior, XK_Next in keysymdef.h).
constexpr std::uint32_t pageUpKeysym = 0xff55;
constexpr std::uint32_t pageDownKeysym = 0xff56;
// Core pointer buttons 4 and 5 are the wheel's clicks up and down.
constexpr std::uint8_t wheelUpButton = 4;
constexpr std::uint8_t wheelDownButton = 5;

[[noreturn]] void unableToSend()
{
    throw ScrollingCaptureAutomationError(ScrollingCaptureAutomationError::Code::unableToSendScrollCommand);
}

using KeySymbols = std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)>;

} // namespace

XTestInputSynthesis::XTestInputSynthesis(const char* displayName)
    : m_displayName(displayName)
    , m_hasDisplayName(displayName != nullptr)
{ }

XTestInputSynthesis::~XTestInputSynthesis() = default;

XcbConnection& XTestInputSynthesis::connection()
{
    if (m_connection)
        return *m_connection;
    std::unique_ptr<XcbConnection> opened;
    try {
        opened = std::make_unique<XcbConnection>(m_hasDisplayName ? m_displayName.constData() : nullptr);
    } catch (const TrovixError&) {
        unableToSend();
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(opened->get(), &xcb_test_id);
    if (!extension || !extension->present)
        unableToSend();
    const auto version = opened->reply(xcb_test_get_version_reply, xcb_test_get_version(opened->get(), 2, 2));
    if (!version)
        unableToSend();
    m_connection = std::move(opened);
    return *m_connection;
}

xcb_keycode_t XTestInputSynthesis::keycodeFor(std::uint32_t keysym)
{
    KeySymbols symbols(xcb_key_symbols_alloc(connection().get()), &xcb_key_symbols_free);
    if (!symbols)
        unableToSend();
    std::unique_ptr<xcb_keycode_t, decltype(&std::free)> codes(
        xcb_key_symbols_get_keycode(symbols.get(), keysym), &std::free);
    if (!codes || codes.get()[0] == XCB_NO_SYMBOL)
        unableToSend();
    return codes.get()[0];
}

void XTestInputSynthesis::fakeInput(std::uint8_t type, std::uint8_t detail)
{
    xcb_connection_t* raw = connection().get();
    const xcb_void_cookie_t cookie
        = xcb_test_fake_input_checked(raw, type, detail, XCB_CURRENT_TIME, XCB_NONE, 0, 0, XCB_NONE);
    if (xcb_generic_error_t* error = xcb_request_check(raw, cookie)) {
        std::free(error);
        unableToSend();
    }
}

void XTestInputSynthesis::pressPageKey(ScrollingCaptureDirection direction)
{
    const xcb_keycode_t key = keycodeFor(direction == ScrollingCaptureDirection::down ? pageDownKeysym : pageUpKeysym);
    fakeInput(XCB_KEY_PRESS, key);
    fakeInput(XCB_KEY_RELEASE, key);
}

void XTestInputSynthesis::scrollWheelStep(ScrollingCaptureDirection direction)
{
    const std::uint8_t button = direction == ScrollingCaptureDirection::down ? wheelDownButton : wheelUpButton;
    for (int click = 0; click < wheelClicksPerStep; ++click) {
        fakeInput(XCB_BUTTON_PRESS, button);
        fakeInput(XCB_BUTTON_RELEASE, button);
    }
}
