// Making an image the open document, from a capture or from the clipboard.
#include "app/AppState.h"

#include "app/EditorWindowFitting.h"
#include "domain/TrovixError.h"
#include "ports/ClipboardPort.h"
#include "ports/EditorWindowPort.h"
#include "ports/WorkspacePort.h"

#include <algorithm>

void AppState::loadImageIntoEditor(const Image& image, const QString& status, bool revealEditor)
{
    replaceBaseImage(image, baseImage() ? QStringLiteral("Replace Image") : QStringLiteral("Open Image"));
    statusMessage.set(status);

    // A hidden editor opens at a size that suits the new image.
    if (const EditorWindowPort* editor = editorWindow(); editor && !editor->isVisible())
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
    if (EditorWindowPort* editor = editorWindow())
        editor->makeKeyAndOrderFront();
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

EditorWindowPort* AppState::editorWindow() const
{
    if (m_editorWindow)
        return m_editorWindow;
    const QList<ApplicationWindow> windows = m_ports.applicationWindows.windows();
    if (windows.isEmpty())
        return nullptr;
    const auto titled = std::find_if(windows.cbegin(), windows.cend(),
        [](const ApplicationWindow& window) { return window.title == editorWindowTitle; });
    return m_ports.applicationWindows.editorWindowFor(titled != windows.cend() ? titled->id : windows.front().id);
}

void AppState::fitEditorWindowToImage()
{
    EditorWindowPort* editor = editorWindow();
    if (!editor)
        return;
    const QRectF area = editor->screenVisibleFrame().value_or(EditorWindowFitting::fallbackArea);
    const QSizeF imageSize = baseImage() ? baseImage()->size() : EditorWindowFitting::emptyImageSize;
    const QSizeF target = EditorWindowFitting::targetContentSize(imageSize, area);
    if (!EditorWindowFitting::needsResize(editor->contentSize(), target))
        return;
    const QSizeF frameSize = editor->frameSizeForContentSize(target);
    editor->setFrame(EditorWindowFitting::placedFrame(editor->frame(), frameSize, area));
}
