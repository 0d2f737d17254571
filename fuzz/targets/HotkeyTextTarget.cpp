#include "FuzzTargets.h"

#include "FuzzCheck.h"

#include "domain/HotkeyKeys.h"
#include "domain/HotkeyShortcut.h"

#include <QString>

namespace FuzzTargets {

int hotkeyText(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<HotkeyShortcut> shortcut = HotkeyShortcut::fromStorageValue(text);
    if (!shortcut)
        return 0;
    FuzzCheck::require(HotkeyShortcut::fromStorageValue(shortcut->storageValue()) == shortcut,
        "a parsed shortcut reads back from its own stored text");
    FuzzCheck::require(!shortcut->displayText().isEmpty(), "a shortcut always has a display text");

    // Every translation the key and modifiers go through on their way to the X server and menus.
    const std::uint32_t modifiers = shortcut->modifiers;
    FuzzCheck::require(HotkeyKeys::carbonModifiers(HotkeyKeys::qtModifiers(modifiers))
            == (modifiers
                & (HotkeyKeys::commandModifier | HotkeyKeys::shiftModifier | HotkeyKeys::optionModifier
                    | HotkeyKeys::controlModifier)),
        "the four modifiers survive the trip through Qt's flags, other bits are dropped");
    (void)HotkeyKeys::xModifiers(modifiers);
    const std::uint32_t keyCode = shortcut->keyCode;
    (void)HotkeyKeys::menuEquivalent(keyCode);
    if (const std::optional<Qt::Key> key = HotkeyKeys::qtKey(keyCode))
        FuzzCheck::require(HotkeyKeys::keyCodeForQtKey(*key) == keyCode, "a key's Qt key maps back to it");
    if (const std::optional<std::uint32_t> keysym = HotkeyKeys::keysym(keyCode))
        FuzzCheck::require(HotkeyKeys::keyCodeForKeysym(*keysym) == keyCode, "a key's keysym maps back to it");
    return 0;
}

} // namespace FuzzTargets
