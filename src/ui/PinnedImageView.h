#pragma once

#include "domain/Image.h"
#include "engine/ShadowRenderer.h"

#include <QPainterPath>
#include <QWidget>

// A pinned image: rounded, outlined, with a soft shadow and a "Pinned" badge. Dragging
// anywhere moves the window; dragging near an edge resizes it.
class PinnedImageView : public QWidget {
    Q_OBJECT
public:
    static constexpr double padding = 12;
    static constexpr double cornerRadius = 18;

    explicit PinnedImageView(Image image, QWidget* parent = nullptr);

    [[nodiscard]] const Image& image() const { return m_image; }
    // Where the image is drawn: fitted into the padded area, keeping its aspect ratio.
    [[nodiscard]] QRectF imageRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintBadge(QPainter& painter) const;
    const ShadowRenderer::Shadow& cachedShadow(const QPainterPath& rounded);

    Image m_image;
    ShadowRenderer::Shadow m_shadow;
    QSize m_shadowSize;
};
