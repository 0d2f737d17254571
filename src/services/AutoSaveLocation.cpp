#include "services/AutoSaveLocation.h"

#include "domain/FileSystemError.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <filesystem>
#include <system_error>

namespace AutoSaveLocation {

QString fileName(const QDateTime& time)
{
    return QStringLiteral("Trovix ") + QLocale::system().toString(time, QStringLiteral("yyyy-MM-dd 'at' HH.mm.ss"))
        + QStringLiteral(".png");
}

QString expandedFolder(const QString& folderSetting)
{
    if (folderSetting == QLatin1String("~"))
        return QDir::homePath();
    if (folderSetting.startsWith(QLatin1String("~/")))
        return QDir::homePath() + folderSetting.mid(1);
    return folderSetting;
}

QString uniquePath(const QString& folder, const QDateTime& time, const std::function<bool(const QString&)>& exists)
{
    const QDir directory(folder);
    const QString dated = fileName(time);
    QString candidate = directory.filePath(dated);
    const QString stem = dated.chopped(4); // without ".png"
    for (int number = 2; exists(candidate); ++number)
        candidate = directory.filePath(stem + QLatin1Char(' ') + QString::number(number) + QStringLiteral(".png"));
    return candidate;
}

QString nextPath(const QString& folderSetting, const QDateTime& time)
{
    const QString folder = expandedFolder(folderSetting);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder.toStdString()), error);
    if (error || !QFileInfo(folder).isDir()) {
        const QString reason = error ? QString::fromStdString(error.message()) : QStringLiteral("Not a folder");
        throw FileSystemError(QStringLiteral("Could not create the folder “%1”: %2.").arg(folder, reason));
    }
    return uniquePath(folder, time, [](const QString& path) { return QFileInfo::exists(path); });
}

} // namespace AutoSaveLocation
