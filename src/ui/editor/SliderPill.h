#pragma once

#include "app/Observable.h"
#include "ui/editor/PillFrame.h"

class QLabel;
class QSlider;

// A titled slider over whole numbers, kept in step with one observable field both ways.
class SliderPill : public PillFrame {
    Q_OBJECT
public:
    SliderPill(const QString& title, int minimum, int maximum, Observable<double>& field, QWidget* parent = nullptr);

    [[nodiscard]] QSlider* slider() const { return m_slider; }

private:
    void showFieldValue();

    Observable<double>& m_field;
    QSlider* m_slider;
    QLabel* m_value;
};
