#pragma once

#include <QString>

// The one reverse-DNS name of the application: its desktop file, its session-bus name, its
// AppStream component and its icon all carry it, so that desktops tie them together.
namespace ApplicationIdentity {

[[nodiscard]] QString id();
// The object path of org.freedesktop.Application, derived from the id.
[[nodiscard]] QString objectPath();
[[nodiscard]] QString version();

} // namespace ApplicationIdentity
