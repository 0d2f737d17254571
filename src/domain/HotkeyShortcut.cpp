#include "domain/HotkeyShortcut.h"

#include "domain/HotkeyKeys.h"

#include <QKeySequence>
#include <QStringList>

namespace {

// Digits only: no sign, no spaces, nothing past the 32-bit range.
std::optional<std::uint32_t> parseUnsigned32(const QString& text)
{
    constexpr std::uint64_t limit = 0xFFFF'FFFFu;
    std::uint64_t value = 0;
    for (QChar character : text) {
        if (character < u'0' || character > u'9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(character.unicode() - u'0');
        if (value > limit)
            return std::nullopt;
    }
    if (text.isEmpty())
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

} // namespace

std::optional<HotkeyShortcut> HotkeyShortcut::fromStorageValue(const QString& text)
{
    const QStringList pieces = text.split(u':', Qt::SkipEmptyParts);
    if (pieces.size() != 2)
        return std::nullopt;
    const std::optional<std::uint32_t> keyCode = parseUnsigned32(pieces[0]);
    const std::optional<std::uint32_t> modifiers = parseUnsigned32(pieces[1]);
    if (!keyCode || !modifiers)
        return std::nullopt;
    return HotkeyShortcut { *keyCode, *modifiers };
}

QString HotkeyShortcut::storageValue() const
{
    return QString::number(keyCode) + u':' + QString::number(modifiers);
}

QString HotkeyShortcut::displayText() const
{
    // Keys without a label stay "?"; the others take Qt's name, as menus show them.
    QString key = HotkeyKeys::keyLabel(keyCode).value_or(QStringLiteral("?"));
    if (const std::optional<Qt::Key> qtKey = HotkeyKeys::qtKey(keyCode); qtKey && key != QLatin1String("?"))
        key = QKeySequence(*qtKey).toString(QKeySequence::PortableText);
    return (HotkeyKeys::modifierNames(modifiers) << key).join(QLatin1Char('+'));
}
