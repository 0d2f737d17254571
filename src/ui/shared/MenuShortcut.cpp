#include "ui/shared/MenuShortcut.h"

#include "domain/HotkeyKeys.h"

#include <QAction>

namespace MenuShortcut {

QKeySequence keySequence(const std::optional<HotkeyShortcut>& shortcut)
{
    if (!shortcut || !HotkeyKeys::menuEquivalent(shortcut->keyCode))
        return {};
    const std::optional<Qt::Key> key = HotkeyKeys::qtKey(shortcut->keyCode);
    if (!key)
        return {};
    return QKeySequence(QKeyCombination(HotkeyKeys::qtModifiers(shortcut->modifiers), *key));
}

void show(QAction& item, const QString& title, const std::optional<HotkeyShortcut>& shortcut)
{
    const QKeySequence keys = keySequence(shortcut);
    item.setShortcut(keys);
    item.setText(keys.isEmpty() ? title : title + u'\t' + shortcut->displayText());
}

QString title(const QAction& item)
{
    return item.text().section(u'\t', 0, 0);
}

} // namespace MenuShortcut
