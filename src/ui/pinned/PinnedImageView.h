#pragma once

#include "domain/Image.h"
#include "ui/pinned/PinnedCardShadow.h"

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
    [[nodiscard]] const PinnedCardShadow& shadow() const { return m_shadow; }

Q_SIGNALS:
    // The window manager closed the window (the view itself offers no way to).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintBadge(QPainter& painter) const;

    Image m_image;
    // Black at 24 %, blur 28, 12 points down.
    PinnedCardShadow m_shadow { cornerRadius, QColor(0, 0, 0, 61), 28, QPointF(0, 12) };
};
