// Sending the finished picture out of the editor: clipboard, file, pinned window, Esc.
#include "app/AppState.h"

#include "app/AppSettings.h"
#include "domain/ImageIOError.h"
#include "engine/FlattenedImageRenderer.h"
#include "engine/ImageIOService.h"
#include "engine/PasteboardImageProvider.h"
#include "ports/ClipboardPort.h"
#include "ports/Clock.h"
#include "ports/DialogsPort.h"
#include "ports/EditorWindowPort.h"
#include "ports/PinnedWindowsPort.h"
#include "services/AutoSaveLocation.h"
#include "storage/AtomicFileWriter.h"

#include <QStringList>

std::optional<Image> AppState::renderedImage(bool includeBackdrop) const
{
    if (!baseImage())
        return std::nullopt;
    return FlattenedImageRenderer::render(
        *baseImage(), annotations(), includeBackdrop, backdropEnabled(), settings.windowBackgroundStyle());
}

std::optional<Image> AppState::pictureForExport()
{
    try {
        if (std::optional<Image> image = renderedImage(true))
            return image;
        errorMessage.set(ImageIOError::descriptionFor(ImageIOError::Code::noImageLoaded));
    } catch (const TrovixError& error) {
        errorMessage.set(error.description());
    }
    return std::nullopt;
}

void AppState::copyImageToPasteboard(const Image& image)
{
    auto provider = std::make_shared<const PasteboardImageProvider>(image);
    m_activePasteboardImageProvider = provider;
    if (!m_ports.clipboard.setImageProvider(std::move(provider)))
        throw ImageIOError(ImageIOError::Code::noImageLoaded);
}

void AppState::copyCurrentImage()
{
    try {
        const std::optional<Image> image = renderedImage(true);
        if (!image)
            throw ImageIOError(ImageIOError::Code::noImageLoaded);
        copyImageToPasteboard(*image);
        statusMessage.set(QStringLiteral("Copied image to clipboard"));
    } catch (const TrovixError& error) {
        errorMessage.set(error.description());
    }
}

void AppState::writePng(const Image& image, const QString& path)
{
    AtomicFileWriter::write(path, ImageIOService::pngData(image));
}

void AppState::exportImage()
{
    try {
        const std::optional<Image> image = renderedImage(true);
        if (!image)
            throw ImageIOError(ImageIOError::Code::noImageLoaded);
        // Encoded before the panel opens, so a failure never leaves the user choosing a file for nothing.
        const QByteArray bytes = ImageIOService::pngData(*image);
        const std::optional<QString> path = m_ports.dialogs.chooseSaveLocation(QStringLiteral("screenshot.png"));
        if (!path)
            return;
        AtomicFileWriter::write(*path, bytes);
        statusMessage.set(QStringLiteral("Exported PNG"));
    } catch (const TrovixError& error) {
        errorMessage.set(error.description());
    }
}

void AppState::pinCurrentImage()
{
    try {
        const std::optional<Image> image = renderedImage(true);
        if (!image)
            throw ImageIOError(ImageIOError::Code::noImageLoaded);
        m_ports.pinnedWindows.pin(*image);
        statusMessage.set(QStringLiteral("Pinned image in a floating window"));
    } catch (const TrovixError& error) {
        errorMessage.set(error.description());
    }
}

QString AppState::nextAutoSaveURL()
{
    return AutoSaveLocation::nextPath(settings.screenshotsFolderPath(), m_ports.clock.now());
}

namespace {

QString escapeStatus(const QStringList& actions)
{
    if (actions.isEmpty())
        return QStringLiteral("Hidden to tray");
    if (actions.size() == 1)
        return QStringLiteral("Image ") + actions.front() + QStringLiteral(" and hidden");
    return QStringLiteral("Image copied, saved, and hidden");
}

} // namespace

void AppState::handleEditorEscape()
{
    std::optional<Image> image;
    try {
        image = renderedImage(true);
    } catch (const TrovixError& error) {
        errorMessage.set(error.description());
        return;
    }
    if (!image) {
        EditorWindowPort* editor = editorWindow();
        if (!editor)
            return;
        editor->orderOut();
        statusMessage.set(QStringLiteral("Trovix is still running in the tray"));
        leaveEditor();
        return;
    }

    QStringList actions;
    try {
        if (settings.copyImageWhenEsc()) {
            copyImageToPasteboard(*image);
            actions << QStringLiteral("copied");
        }
        if (settings.saveImageWhenEsc()) {
            writePng(*image, nextAutoSaveURL());
            actions << QStringLiteral("saved");
        }
    } catch (const TrovixError& error) {
        // The editor stays open so nothing the user has not saved disappears from view.
        errorMessage.set(error.description());
        return;
    }
    EditorWindowPort* editor = editorWindow();
    if (!editor)
        return;
    editor->orderOut();
    statusMessage.set(escapeStatus(actions));
    leaveEditor();
}

void AppState::hideEditorToMenubar(const std::optional<QString>& statusMessageOverride)
{
    EditorWindowPort* editor = editorWindow();
    if (!editor)
        return;
    editor->orderOut();
    if (statusMessageOverride)
        statusMessage.set(*statusMessageOverride);
    leaveEditor();
}
