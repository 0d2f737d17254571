#include "ui/settings/DesktopShortcutCommand.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

namespace DesktopShortcutCommand {

QString command(HotkeyAction action, const QString& program)
{
    const auto with
        = [&program](const char* arguments) { return program + QLatin1Char(' ') + QLatin1String(arguments); };
    switch (action) {
    case HotkeyAction::captureScreen:
        return with("capture screen");
    case HotkeyAction::captureArea:
        return with("capture area");
    case HotkeyAction::addCapture:
        return with("capture add-area");
    case HotkeyAction::captureAnyWindow:
        return with("capture window");
    case HotkeyAction::captureScrolling:
        return with("capture scrolling");
    case HotkeyAction::captureActiveWindow:
        return with("capture active-window");
    case HotkeyAction::showTrovix:
        return with("show");
    case HotkeyAction::recognizeText:
        return with("recognize");
    }
    return program;
}

QString program()
{
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("trovix"));
    if (!onPath.isEmpty() && QFileInfo(onPath).canonicalFilePath() == self)
        return QStringLiteral("trovix");
    return self.contains(QLatin1Char(' ')) ? QLatin1Char('"') + self + QLatin1Char('"') : self;
}

} // namespace DesktopShortcutCommand
