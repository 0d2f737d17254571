#pragma once

#include <QColor>
#include <QToolButton>

// A round colour well. Clicking offers a row of common annotation colours and the
// full colour chooser.
class ColorSwatchButton : public QToolButton {
    Q_OBJECT
public:
    explicit ColorSwatchButton(QWidget* parent = nullptr);

    [[nodiscard]] QColor color() const { return m_color; }
    void setColor(const QColor& color);

    [[nodiscard]] QSize sizeHint() const override;

Q_SIGNALS:
    void colorChosen(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showPresets();
    void openColorDialog();

    QColor m_color;
};
