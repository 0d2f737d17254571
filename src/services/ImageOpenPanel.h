#pragma once

#include "domain/Image.h"
#include "ports/DialogsPort.h"

#include <optional>

namespace ImageIOService {

// Lets the user pick an image file and reads it. None when they cancel or when the file is
// not a readable image.
[[nodiscard]] std::optional<Image> openImagePanel(DialogsPort& dialogs);

} // namespace ImageIOService
