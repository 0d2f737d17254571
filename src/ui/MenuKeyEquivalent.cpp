#include "ui/MenuKeyEquivalent.h"

#include "domain/HotkeyKeys.h"

namespace MenuKeyEquivalent {

QKeySequence forShortcut(const std::optional<HotkeyShortcut>& shortcut)
{
    if (!shortcut || !HotkeyKeys::menuEquivalent(shortcut->keyCode))
        return {};
    const std::optional<Qt::Key> key = HotkeyKeys::qtKey(shortcut->keyCode);
    if (!key)
        return {};
    return QKeySequence(QKeyCombination(HotkeyKeys::qtModifiers(shortcut->modifiers), *key));
}

} // namespace MenuKeyEquivalent
