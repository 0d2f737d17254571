#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

class QLabel;
class QScrollArea;

// A window showing a long page of text lines, headings and coloured pictures in a plain
// QScrollArea, the kind of target a scrolling capture meets: Page Down scrolls it by its
// viewport height, each wheel click by three lines of 20 pixels.
class ScrollingPageWindow : public QWidget {
public:
    // The window covers `rootGeometry`; the page is as wide as the viewport.
    ScrollingPageWindow(QRect rootGeometry, int pageHeight, unsigned seed = 5);

    // Shows the window and gives the scroll area the keyboard; false when that fails.
    bool showWithFocus();
    // Gives the scroll area the keyboard back; false when that fails.
    bool takeFocus();
    // How far Page Down moves, as a share of the viewport (Qt's own is all of it).
    void setPageStepShare(double share);

    [[nodiscard]] const QImage& page() const { return m_page; }
    [[nodiscard]] QScrollArea& scrollArea() const { return *m_scrollArea; }
    // The viewport in root pixels.
    [[nodiscard]] QRect viewportRootRect() const;
    void scrollTo(int offset);
    [[nodiscard]] int offset() const;
    [[nodiscard]] int lastOffset() const;

private:
    QScrollArea* m_scrollArea;
    QLabel* m_label;
    QImage m_page;
    int m_pageHeight;
    unsigned m_seed;
};
