#include "ui/capture/FrozenBackdrop.h"

#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

FrozenBackdrop::FrozenBackdrop(const Image& picture, QColor dim)
    : m_clear(picture.pixels())
    , m_dim(dim)
{
    if (picture.isNull()) {
        m_clear = QImage();
        return;
    }
    // Drawn at this ratio, a picture at the screen's density lands pixel for pixel.
    m_clear.setDevicePixelRatio(picture.scaleX());
}

void FrozenBackdrop::paintDimmed(QPainter& painter, const QRect& bounds)
{
    if (m_clear.isNull()) {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(bounds, m_dim);
        painter.restore();
        return;
    }
    if (m_dimmed.isNull() && m_dimmingStarted && m_dimming.isFinished())
        m_dimmed = m_dimming.result();
    const QSizeF covered = m_clear.deviceIndependentSize();
    // A window rounded up to whole logical pixels may reach past the picture by a pixel.
    if (covered.width() < bounds.width() || covered.height() < bounds.height())
        painter.fillRect(bounds, m_dim);
    if (!m_dimmed.isNull()) {
        painter.drawImage(QPointF(0, 0), m_dimmed);
        return;
    }
    painter.drawImage(QPointF(0, 0), m_clear);
    painter.fillRect(QRectF(QPointF(0, 0), covered), m_dim);
    if (!m_dimmingStarted) {
        m_dimmingStarted = true;
        m_dimming = QtConcurrent::run([clear = m_clear, dim = m_dim] {
            QImage dimmed = clear.convertToFormat(QImage::Format_RGB32);
            QPainter dimmer(&dimmed);
            dimmer.fillRect(QRectF(QPointF(0, 0), dimmed.deviceIndependentSize()), dim);
            return dimmed;
        });
    }
}

void FrozenBackdrop::paintClear(QPainter& painter, const QRectF& area) const
{
    painter.save();
    if (m_clear.isNull()) {
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.fillRect(area, Qt::transparent);
    } else {
        painter.setClipRect(area);
        painter.drawImage(QPointF(0, 0), m_clear);
    }
    painter.restore();
}
