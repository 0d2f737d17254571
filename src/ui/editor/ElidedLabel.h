#pragma once

#include <QWidget>

// One line of text that shortens itself with an ellipsis when space runs out, showing
// the whole text as its tooltip then; long hints and status texts never widen the window.
class ElidedLabel : public QWidget {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    [[nodiscard]] QString text() const { return m_text; }
    void setText(const QString& text);
    void setSecondary(bool secondary);

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateToolTip();

    QString m_text;
    bool m_secondary = false;
};
