#pragma once

#include "domain/AnnotationShape.h"
#include "domain/AnnotationTool.h"
#include "domain/Image.h"
#include "engine/ShadowRenderer.h"
#include "ui/editor/CommittedLayerCache.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QUuid>
#include <QWidget>

#include <functional>
#include <optional>
#include <variant>
#include <vector>

// The open image with its annotations, turning mouse gestures into editing requests. It
// owns no document data: the viewport pushes the image, the annotations and the tool
// settings in, and the canvas reports gestures through its callbacks, in image points.
// Everything inside works in unmagnified canvas points; the widget is the canvas size times
// the magnification, and events and painting convert once.
class AnnotationCanvas : public QWidget {
    Q_OBJECT
public:
    struct Callbacks {
        // A creating drag ended: where it began, its Shift-adjusted end and its path.
        std::function<void(QPointF start, QPointF end, const std::vector<QPointF>& points)> createDrag;
        // A point tool was clicked inside the image.
        std::function<void(QPointF point)> pointAction;
        std::function<void(const QUuid& id, QPointF focus)> updateMagnifierFocus;
        std::function<void(const QUuid& id, QPointF start, QPointF end)> updateArrow;
        // A gesture that moved a magnifier's focus or an arrow ended.
        std::function<void()> finishAdjusting;
    };

    explicit AnnotationCanvas(QWidget* parent = nullptr);

    void setCallbacks(Callbacks callbacks) { m_callbacks = std::move(callbacks); }
    void setImage(const std::optional<Image>& image);
    void setAnnotations(const std::vector<AnnotationShape>& annotations);
    void setCropSelection(std::optional<QRectF> selection);
    void setSelectedTool(AnnotationTool tool);
    void setTextDraft(const QString& text);
    void setTextSize(double size);
    void setPickedColorHex(const QString& hex);

    // When off the canvas lets every click through to what lies behind it.
    void setInteractionEnabled(bool enabled);
    [[nodiscard]] bool isInteractionEnabled() const { return m_interactionEnabled; }
    void cancelActiveDrag();
    [[nodiscard]] bool isDragging() const;

    // Layout, in canvas points: the canvas's size and where the image lies in it. An empty
    // image frame draws the image at the origin and ignores input.
    void setCanvasSize(QSizeF size);
    void setImageFrame(const QRectF& frame);
    void setMagnification(double magnification);
    [[nodiscard]] QSizeF canvasSize() const { return m_canvasSize; }
    [[nodiscard]] QRectF imageFrame() const { return m_imageFrame; }
    [[nodiscard]] double magnification() const { return m_magnification; }

    // Widget coordinates of an image point, for the viewport's scrolling and for tests.
    [[nodiscard]] QPointF mapFromImage(QPointF imagePoint) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    struct AdjustingMagnifierFocus {
        QUuid id;
    };
    struct AdjustingArrowStart {
        QUuid id;
        QPointF fixedEnd;
    };
    struct AdjustingArrowEnd {
        QUuid id;
        QPointF fixedStart;
    };
    struct MovingArrow {
        QUuid id;
        QPointF originalStart;
        QPointF originalEnd;
        QPointF anchor;
    };
    // Also the idle state.
    struct Creating { };
    using DragMode
        = std::variant<AdjustingMagnifierFocus, AdjustingArrowStart, AdjustingArrowEnd, MovingArrow, Creating>;

    // The arrow a drag is reshaping. It is left out of the committed layer and drawn over it,
    // so each step of the drag repaints one arrow instead of every annotation.
    [[nodiscard]] std::optional<QUuid> liftedArrow() const;
    void refreshCommittedLayer();
    void paintLiftedArrow(QPainter& painter, const QRectF& frame) const;
    [[nodiscard]] const AnnotationShape* liftedShape() const;

    // Text, callout and colour picker act at the press instead of making a drag.
    [[nodiscard]] static bool actsOnClick(AnnotationTool tool);
    [[nodiscard]] QRectF drawnImageFrame() const;
    [[nodiscard]] std::optional<QPointF> imagePoint(QPointF widgetPosition, bool clamped) const;
    [[nodiscard]] bool grabExistingAnnotation(QPointF point);
    void dragTo(QPointF point);
    void finishCreating(QPointF widgetPosition);
    void clearGesture();
    void setShiftPressed(bool pressed);
    [[nodiscard]] std::optional<QPointF> effectiveDragCurrent() const;
    void updateWidgetSize();

    void paintImageFrame(QPainter& painter, const QRectF& frame);
    void paintCommittedLayer(QPainter& painter, const QRectF& frame);
    void paintPreview(QPainter& painter, const QRectF& frame) const;
    void paintCropSelection(QPainter& painter, const QRectF& frame) const;
    void paintPointToolHint(QPainter& painter, const QRectF& frame) const;

    std::optional<Image> m_image;
    QRectF m_imageFrame;
    std::vector<AnnotationShape> m_annotations;
    std::optional<QRectF> m_cropSelection;
    AnnotationTool m_selectedTool = AnnotationTool::select;
    bool m_interactionEnabled = true;
    QString m_textDraft = QStringLiteral("Text");
    double m_textSize = 28;
    QString m_pickedColorHex = QStringLiteral("#FFFFFF");
    Callbacks m_callbacks;

    std::optional<QPointF> m_dragStart;
    std::optional<QPointF> m_dragCurrent;
    std::vector<QPointF> m_dragPoints;
    DragMode m_dragMode = Creating {};
    bool m_isShiftPressed = false;

    QSizeF m_canvasSize;
    double m_magnification = 1;
    CommittedLayerCache m_committedLayer;
    ShadowRenderer::Shadow m_frameShadow;
    QSizeF m_frameShadowSize;
};
