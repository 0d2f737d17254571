#include "services/ImageOpenPanel.h"

#include "engine/ImageIOService.h"

namespace ImageIOService {

std::optional<Image> openImagePanel(DialogsPort& dialogs)
{
    const std::optional<QString> path = dialogs.chooseImageFileToOpen();
    if (!path || path->isEmpty())
        return std::nullopt;
    return readImage(*path);
}

} // namespace ImageIOService
