#pragma once

#include <QIcon>

// The application's own icon: the installed one under the application id where the icon
// theme has it, else the same drawing compiled in.
namespace AppIcon {

[[nodiscard]] QIcon icon();

} // namespace AppIcon
