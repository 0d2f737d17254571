// Commands that replace the open image by a new one: open, crop, resize, stack.
#include "app/AppState.h"

#include "app/ResizePercent.h"
#include "domain/ImageIOError.h"
#include "engine/ImageCompositionService.h"
#include "engine/ImageResizeService.h"
#include "ports/EditorWindowPort.h"
#include "services/ImageOpenPanel.h"

#include <cmath>

void AppState::replaceBaseImage(const Image& image, const QString& editName)
{
    recordEdit(editName);
    baseImage.set(image);
    annotations.set({});
    backdropEnabled.set(false);
    cropSelection.set(std::nullopt);
    m_nextCalloutNumber = 1;
    prepareImagePresentation();
}

void AppState::openImage()
{
    bringEditorForward();
    try {
        if (std::optional<Image> image = ImageIOService::openImagePanel(m_ports.dialogs))
            loadImageIntoEditor(*image, QStringLiteral("Opened an existing image"), true);
    } catch (const TrovixError& error) {
        errorMessage.set(error.description());
    }
}

void AppState::applyCropSelection()
{
    if (!cropSelection()) {
        statusMessage.set(QStringLiteral("No crop area selected"));
        return;
    }
    try {
        const std::optional<Image> flattened = renderedImage(false);
        if (!flattened)
            throw ImageIOError(ImageIOError::Code::noImageLoaded);
        const std::optional<Image> cropped = ImageResizeService::crop(*flattened, *cropSelection());
        if (!cropped) {
            errorMessage.set(QStringLiteral("Nie udało się przyciąć obrazu."));
            return;
        }
        replaceBaseImage(*cropped, QStringLiteral("Crop"));
        statusMessage.set(QStringLiteral("Applied crop"));
    } catch (const TrovixError& error) {
        errorMessage.set(error.description());
    }
}

void AppState::applyResize()
{
    if (!baseImage()) {
        errorMessage.set(ImageIOError::descriptionFor(ImageIOError::Code::noImageLoaded));
        return;
    }
    const std::optional<double> percent = ResizePercent::parse(resizePercent());
    if (!percent) {
        errorMessage.set(QStringLiteral("Podaj poprawny procent zmiany rozmiaru."));
        return;
    }
    const std::optional<QSizeF> size = ResizePercent::targetSize(baseImage()->size(), *percent);
    const std::optional<Image> resized = size ? ImageResizeService::resize(*baseImage(), *size) : std::nullopt;
    if (!resized) {
        errorMessage.set(QStringLiteral("Nie udało się zmienić rozmiaru obrazu."));
        return;
    }
    replaceBaseImage(*resized, QStringLiteral("Resize"));
    statusMessage.set(QStringLiteral("Resized image to %1 \u00D7 %2")
                          .arg(QString::number(size->width(), 'f', 0), QString::number(size->height(), 'f', 0)));
}

void AppState::appendCaptureToCanvas(const Image& image)
{
    std::vector<Image> images;
    if (std::optional<Image> current = renderedImage(false))
        images.push_back(std::move(*current));
    images.push_back(image);
    const std::optional<Image> stacked
        = ImageCompositionService::stackVertically(images, 28, 28, QColor::fromRgbF(0.97f, 0.97f, 0.97f, 1.0f));
    if (!stacked)
        throw ImageIOError(ImageIOError::Code::noImageLoaded);
    replaceBaseImage(*stacked, QStringLiteral("Add Capture"));
    if (const EditorWindowPort* editor = editorWindow(); editor && !editor->isVisible())
        fitEditorWindowToImage();
    statusMessage.set(
        images.size() < 2 ? QStringLiteral("Added first capture") : QStringLiteral("Added capture to canvas"));
}
