// Undo and redo: every edit records the document as it was before it.
#include "app/AppState.h"

DocumentSnapshot AppState::documentSnapshot() const
{
    return DocumentSnapshot { baseImage(), annotations(), cropSelection(), m_nextCalloutNumber };
}

void AppState::recordEdit(const QString& name, std::optional<QUuid> gestureKey)
{
    m_history.record(documentSnapshot(), name, gestureKey);
    showHistory();
}

void AppState::restoreDocument(DocumentSnapshot document)
{
    const auto identity = [](const std::optional<Image>& image) { return image ? image->identity() : 0; };
    const bool otherPicture = identity(document.image) != identity(baseImage());
    if (otherPicture)
        baseImage.set(std::move(document.image));
    annotations.set(std::move(document.annotations));
    cropSelection.set(document.cropSelection);
    m_nextCalloutNumber = document.nextCalloutNumber;
    // Another picture is shown as a freshly opened one: fitted and at 100 %.
    if (otherPicture)
        prepareImagePresentation();
}

void AppState::undo()
{
    const std::optional<QString> name = m_history.undoName();
    const std::size_t annotationCount = annotations().size();
    std::optional<DocumentSnapshot> previous = m_history.undo(documentSnapshot());
    if (!previous)
        return;
    const bool removesAddedAnnotation = previous->image && baseImage()
        && previous->image->identity() == baseImage()->identity()
        && previous->annotations.size() + 1 == annotationCount;
    restoreDocument(std::move(*previous));
    showHistory();
    // Taking back an added annotation reads as it always has.
    statusMessage.set(
        removesAddedAnnotation ? QStringLiteral("Removed last annotation") : QStringLiteral("Undid ") + *name);
}

void AppState::redo()
{
    const std::optional<QString> name = m_history.redoName();
    std::optional<DocumentSnapshot> next = m_history.redo(documentSnapshot());
    if (!next)
        return;
    restoreDocument(std::move(*next));
    showHistory();
    statusMessage.set(QStringLiteral("Redid ") + *name);
}

void AppState::showHistory()
{
    if (undoStepName() != m_history.undoName())
        undoStepName.set(m_history.undoName());
    if (redoStepName() != m_history.redoName())
        redoStepName.set(m_history.redoName());
}
