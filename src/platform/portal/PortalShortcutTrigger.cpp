#include "platform/portal/PortalShortcutTrigger.h"

#include "domain/HotkeyKeys.h"

#include <QHash>

namespace {

// XKB names of the punctuation and named keys among the stored key codes.
const QHash<QString, QString>& keysymNames()
{
    static const QHash<QString, QString> names {
        { QStringLiteral("="), QStringLiteral("equal") },
        { QStringLiteral("-"), QStringLiteral("minus") },
        { QStringLiteral("]"), QStringLiteral("bracketright") },
        { QStringLiteral("["), QStringLiteral("bracketleft") },
        { QStringLiteral("'"), QStringLiteral("apostrophe") },
        { QStringLiteral(";"), QStringLiteral("semicolon") },
        { QStringLiteral("\\"), QStringLiteral("backslash") },
        { QStringLiteral(","), QStringLiteral("comma") },
        { QStringLiteral("/"), QStringLiteral("slash") },
        { QStringLiteral("."), QStringLiteral("period") },
        { QStringLiteral("Return"), QStringLiteral("Return") },
        { QStringLiteral("Tab"), QStringLiteral("Tab") },
        { QStringLiteral("Space"), QStringLiteral("space") },
        { QStringLiteral("Esc"), QStringLiteral("Escape") },
    };
    return names;
}

} // namespace

namespace PortalShortcutTrigger {

QString text(const HotkeyShortcut& shortcut)
{
    const std::optional<QString> label = HotkeyKeys::keyLabel(shortcut.keyCode);
    if (!label)
        return {};
    QString key = keysymNames().value(*label);
    if (key.isEmpty())
        key = label->toLower();
    QStringList parts;
    if (shortcut.modifiers & HotkeyKeys::controlModifier)
        parts.append(QStringLiteral("CTRL"));
    if (shortcut.modifiers & HotkeyKeys::optionModifier)
        parts.append(QStringLiteral("ALT"));
    if (shortcut.modifiers & HotkeyKeys::shiftModifier)
        parts.append(QStringLiteral("SHIFT"));
    if (shortcut.modifiers & HotkeyKeys::commandModifier)
        parts.append(QStringLiteral("LOGO"));
    parts.append(key);
    return parts.join(QLatin1Char('+'));
}

QString id(HotkeyAction action)
{
    return HotkeyActions::settingKey(action);
}

std::optional<HotkeyAction> actionFor(const QString& id)
{
    for (HotkeyAction action : HotkeyActions::allCases) {
        if (HotkeyActions::settingKey(action) == id)
            return action;
    }
    return std::nullopt;
}

} // namespace PortalShortcutTrigger
