#pragma once

#include "domain/AnnotationShape.h"
#include "domain/Image.h"

#include <QRectF>
#include <QString>
#include <QUuid>

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// Everything an edit can change in the open document. Cheap to copy: the picture is an
// implicitly shared QImage, so steps that keep the picture share its pixels.
struct DocumentSnapshot {
    std::optional<Image> image;
    std::vector<AnnotationShape> annotations;
    std::optional<QRectF> cropSelection;
    qint64 nextCalloutNumber = 1;
};

// The undo and redo stacks of the editor. Each step holds the document as it was on the
// other side of one edit, with the edit's name ("Add Arrow", "Crop"). Pictures are the
// memory that matters, so the steps are bounded by the bytes of the distinct pictures they
// hold, oldest undo step dropped first.
class EditHistory {
public:
    static constexpr std::int64_t defaultPictureBudget = std::int64_t(1) << 30;

    explicit EditHistory(std::int64_t pictureBudget = defaultPictureBudget)
        : m_pictureBudget(pictureBudget)
    { }

    // Records the document before an edit; clears what could be redone. An edit that carries
    // the key of the still open step before it (the drag events of one gesture) joins that
    // step instead of making one of its own.
    void record(DocumentSnapshot before, const QString& name, std::optional<QUuid> gestureKey = std::nullopt);
    // Ends the open step, so the next edit of the same gesture key makes a new one.
    void closeGesture() { m_openGesture.reset(); }

    // The document to show instead of `current`; none when there is nothing to undo / redo.
    [[nodiscard]] std::optional<DocumentSnapshot> undo(DocumentSnapshot current);
    [[nodiscard]] std::optional<DocumentSnapshot> redo(DocumentSnapshot current);

    [[nodiscard]] std::optional<QString> undoName() const;
    [[nodiscard]] std::optional<QString> redoName() const;
    [[nodiscard]] std::size_t undoCount() const { return m_undo.size(); }
    [[nodiscard]] std::size_t redoCount() const { return m_redo.size(); }
    // Bytes of the distinct pictures the steps hold.
    [[nodiscard]] std::int64_t pictureBytes() const;

private:
    struct Step {
        DocumentSnapshot document;
        QString name;
    };

    void enforceBudget();

    std::deque<Step> m_undo;
    std::vector<Step> m_redo;
    std::optional<QUuid> m_openGesture;
    std::int64_t m_pictureBudget;
};
