// Uploading the picture to the user's own server.
#include "app/AppState.h"

#include "app/AppSettings.h"
#include "domain/ImageIOError.h"
#include "engine/ImageIOService.h"
#include "ports/ClipboardPort.h"
#include "services/UploadService.h"

#include <QPointer>

QCoro::Task<> AppState::uploadCurrentImage()
{
    std::optional<Image> image = pictureForExport();
    if (!image)
        co_return;
    UploadConfiguration configuration { settings.uploadMode(), settings.uploadEndpoint(),
        settings.uploadAuthorizationToken(), settings.uploadFieldName(), m_uploadTimeout };
    // Encoded on a worker thread by the service; the source touches nothing but its own image.
    UploadService::PngSource png = [picture = std::move(*image)] { return ImageIOService::pngData(picture); };
    QPointer<AppState> self(this);
    try {
        const UploadResult result = co_await UploadService::upload(std::move(configuration), std::move(png));
        if (!self)
            co_return;
        m_ports.clipboard.setText(result.linkText());
        statusMessage.set(QStringLiteral("Uploaded and copied link"));
    } catch (const TrovixError& error) {
        if (self)
            errorMessage.set(error.description());
    }
}
