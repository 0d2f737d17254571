#pragma once

#include "domain/Screen.h"

#include <QWidget>

class QLabel;

// The look and placement shared by the scrolling capture's panels: a small frameless window
// above ordinary ones, in the top-right corner of a screen's work area, that appears without
// taking the keyboard focus from the application being scrolled.
class ScrollingPanelWindow : public QWidget {
    Q_OBJECT
public:
    // `acceptsFocus` false: the window never takes the focus, not even when clicked.
    ScrollingPanelWindow(QSize size, bool acceptsFocus);

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
};
