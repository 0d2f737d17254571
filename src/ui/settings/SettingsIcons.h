#pragma once

#include "ui/settings/SettingsTab.h"

#include <QColor>
#include <QIcon>

// The tab symbols (a gear, a keyboard, a cloud with an upward arrow, a microscope),
// drawn as line art in one colour so that they match on any desktop theme.
namespace SettingsIcons {

[[nodiscard]] QIcon icon(SettingsTab tab, const QColor& color, const QColor& checkedColor);

} // namespace SettingsIcons
