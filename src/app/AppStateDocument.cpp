// Making an image the open document, from a capture or from the clipboard.
#include "app/AppState.h"

#include "app/EditorWindowFitting.h"
#include "domain/TrovixError.h"
#include "ports/ClipboardPort.h"
#include "ports/EditorWindowPort.h"
#include "ports/WorkspacePort.h"

void AppState::loadImageIntoEditor(const Image& image, const QString& status, bool revealEditor)
{
    replaceBaseImage(image, baseImage() ? QStringLiteral("Replace Image") : QStringLiteral("Open Image"));
    statusMessage.set(status);

    // A hidden editor opens at a size that suits the new image.
    if (m_editorWindow && !m_editorWindow->isVisible())
        fitEditorWindowToImage();
    if (revealEditor)
        bringEditorForward();
}

void AppState::loadFromClipboard()
{
    bringEditorForward();
    try {
        if (std::optional<Image> image = m_ports.clipboard.readImage(); image && !image->isNull()) {
            loadImageIntoEditor(*image, QStringLiteral("Loaded image from clipboard"), true);
            return;
        }
    } catch (const TrovixError& error) {
        errorMessage.set(error.description());
        return;
    }
    statusMessage.set(QStringLiteral("Clipboard does not contain an image"));
}

void AppState::bringEditorForward()
{
    capturePreviousAppIfNeeded();
    m_ports.workspace.setActivationPolicy(ActivationPolicy::regular);
    m_ports.workspace.activateIgnoringOtherApps();
    if (m_editorWindow)
        m_editorWindow->makeKeyAndOrderFront();
}

void AppState::capturePreviousAppIfNeeded()
{
    const std::optional<RunningApplication> front = m_ports.workspace.frontmostApplication();
    // Two absent application ids count as the same application.
    if (front && front->applicationId != m_ports.workspace.ownApplicationId()) {
        m_previousActiveApp = front;
        return;
    }
    if (!m_previousActiveApp)
        m_previousActiveApp = m_lastExternalApp;
}

void AppState::fitEditorWindowToImage()
{
    if (!m_editorWindow)
        return;
    const QRectF area = m_editorWindow->screenVisibleFrame().value_or(EditorWindowFitting::fallbackArea);
    const QSizeF imageSize = baseImage() ? baseImage()->size() : EditorWindowFitting::emptyImageSize;
    const QSizeF target = EditorWindowFitting::targetContentSize(imageSize, area);
    if (!EditorWindowFitting::needsResize(m_editorWindow->contentSize(), target))
        return;
    const QSizeF frameSize = m_editorWindow->frameSizeForContentSize(target);
    m_editorWindow->setFrame(EditorWindowFitting::placedFrame(m_editorWindow->frame(), frameSize, area));
}
