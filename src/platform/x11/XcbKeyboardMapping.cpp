#include "platform/x11/XcbKeyboardMapping.h"

#include "platform/x11/XcbConnection.h"

#include <algorithm>

namespace {

constexpr xcb_keysym_t numLockKeysym = 0xff7f;
constexpr int modifierCount = 8;

} // namespace

XcbKeyboardMapping::XcbKeyboardMapping(xcb_connection_t* connection)
    : m_connection(connection)
    , m_symbols(xcb_key_symbols_alloc(connection), &xcb_key_symbols_free)
{ }

std::vector<xcb_keycode_t> XcbKeyboardMapping::keyCodes(xcb_keysym_t keysym) const
{
    std::vector<xcb_keycode_t> result;
    if (!m_symbols)
        return result;
    const XcbReply<xcb_keycode_t> codes(xcb_key_symbols_get_keycode(m_symbols.get(), keysym), &std::free);
    for (const xcb_keycode_t* code = codes.get(); code && *code != XCB_NO_SYMBOL; ++code) {
        if (std::find(result.begin(), result.end(), *code) == result.end())
            result.push_back(*code);
    }
    return result;
}

std::uint16_t XcbKeyboardMapping::numLockMask() const
{
    const std::vector<xcb_keycode_t> numLockKeys = keyCodes(numLockKeysym);
    if (numLockKeys.empty())
        return 0;
    const XcbReply<xcb_get_modifier_mapping_reply_t> mapping(
        xcb_get_modifier_mapping_reply(m_connection, xcb_get_modifier_mapping(m_connection), nullptr), &std::free);
    if (!mapping)
        return 0;
    // The reply lists keycodes_per_modifier keys for Shift, Lock, Control, Mod1 ... Mod5 in turn.
    const xcb_keycode_t* keys = xcb_get_modifier_mapping_keycodes(mapping.get());
    const int perModifier = mapping->keycodes_per_modifier;
    for (int modifier = 0; modifier < modifierCount; ++modifier) {
        for (int slot = 0; slot < perModifier; ++slot) {
            const xcb_keycode_t key = keys[modifier * perModifier + slot];
            if (key != XCB_NO_SYMBOL && std::ranges::find(numLockKeys, key) != numLockKeys.end())
                return static_cast<std::uint16_t>(1U << modifier);
        }
    }
    return 0;
}
