#pragma once

#include "domain/Screen.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

// The look and placement shared by the scrolling capture's panels: a small frameless window
// above ordinary ones, in the top-right corner of a screen's work area, that appears without
// taking the keyboard focus from the application being scrolled. It moves when dragged by its
// background, and is never smaller than its texts need.
class ScrollingPanelWindow : public QWidget {
    Q_OBJECT
public:
    // `acceptsFocus` false: the window never takes the focus, not even when clicked.
    // Hints the desktop needs before the window first shows, such as "on every virtual desktop".
    using Decorator = std::function<void(QWidget&)>;

    // `size` is the size the panel is designed for; it grows where a font needs more room.
    // `acceptsFocus` false: the window never takes the focus, not even when clicked.
    ScrollingPanelWindow(QSize size, bool acceptsFocus, Decorator decorator = {});

    // Sizes the panel to its layout and current texts; a shown panel keeps its right edge.
    void fitContent();

    // 28 points from the top-right corner of the screen's work area.
    void placeOn(const Screen& screen);
    // Shows the window above the others without activating it.
    void orderFrontRegardless();

    // The round badge with the scroll sign that heads both panels.
    [[nodiscard]] static QWidget* makeBadge(QWidget* parent);
    [[nodiscard]] static QLabel* makeLabel(const QString& text, int pixelSize, QFont::Weight weight, bool secondary);
    // A pale rounded capsule behind a short label such as a segment count.
    [[nodiscard]] static QLabel* makeCapsule(int pixelSize);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QSize m_designSize;
    Decorator m_decorator;
    // Where in the panel the drag by its background took hold.
    std::optional<QPoint> m_dragOffset;
};
