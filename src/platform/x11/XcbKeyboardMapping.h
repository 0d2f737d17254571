#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdint>
#include <memory>
#include <vector>

// The server's keyboard mapping as it is when read: which keys produce a symbol, and
// which modifier bit Num Lock sets (it is Mod2 on most keymaps, but nothing guarantees it).
class XcbKeyboardMapping {
public:
    explicit XcbKeyboardMapping(xcb_connection_t* connection);

    // Every key that produces the symbol in any column; usually one.
    [[nodiscard]] std::vector<xcb_keycode_t> keyCodes(xcb_keysym_t keysym) const;
    // Zero when no modifier is bound to Num Lock.
    [[nodiscard]] std::uint16_t numLockMask() const;

private:
    xcb_connection_t* m_connection;
    std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> m_symbols;
};
