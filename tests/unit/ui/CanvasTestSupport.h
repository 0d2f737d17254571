#pragma once

#include "ui/editor/AnnotationCanvas.h"

#include <QTest>

// Mouse gestures on a canvas given in image points; the canvas maps them to its widget.
class CanvasGestures {
public:
    explicit CanvasGestures(AnnotationCanvas& canvas)
        : m_canvas(canvas)
    { }

    [[nodiscard]] QPoint at(QPointF imagePoint) const { return m_canvas.mapFromImage(imagePoint).toPoint(); }
    void press(QPointF imagePoint, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mousePress(&m_canvas, Qt::LeftButton, modifiers, at(imagePoint));
    }
    void move(QPointF imagePoint, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseEvent(QTest::MouseMove, &m_canvas, Qt::NoButton, modifiers, at(imagePoint));
    }
    void release(QPointF imagePoint, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::mouseRelease(&m_canvas, Qt::LeftButton, modifiers, at(imagePoint));
    }
    void drag(QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = {}) const
    {
        press(from, modifiers);
        move(to, modifiers);
        release(to, modifiers);
    }

private:
    AnnotationCanvas& m_canvas;
};

inline Image solidTestImage(QSize size, QColor color = Qt::white)
{
    QImage pixels(size, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(color);
    return Image(std::move(pixels));
}
