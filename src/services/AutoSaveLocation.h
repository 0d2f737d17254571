#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

// Where automatic saves go: the screenshots folder, one file per capture named by the
// local date and time, e.g. "Trovix 2026-12-05 at 09.14.26.png".
namespace AutoSaveLocation {

[[nodiscard]] QString fileName(const QDateTime& time);
// A leading "~" stands for the home folder.
[[nodiscard]] QString expandedFolder(const QString& folderSetting);
// The dated name, or with " 2", " 3", ... before ".png" when that name is taken, so two
// saves within one second keep both pictures.
[[nodiscard]] QString uniquePath(const QString& folder, const QDateTime& time,
    const std::function<bool(const QString&)>& exists);
// Creates the folder (with its parents) and returns a free path in it. Throws FileSystemError.
[[nodiscard]] QString nextPath(const QString& folderSetting, const QDateTime& time);

} // namespace AutoSaveLocation
