#include "ui/editor/SliderPill.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

SliderPill::SliderPill(const QString& title, int minimum, int maximum, Observable<double>& field, QWidget* parent)
    : PillFrame(QString(), parent)
    , m_field(field)
    , m_slider(new QSlider(Qt::Horizontal, this))
    , m_value(new QLabel(this))
{
    addLabel(title, true);
    m_slider->setRange(minimum, maximum);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(1);
    m_slider->setFixedWidth(96);
    m_slider->setAccessibleName(title);
    contentLayout()->addWidget(m_slider);
    // Wide enough for the largest value, so the pill does not jitter while dragging.
    m_value->setMinimumWidth(m_value->fontMetrics().horizontalAdvance(QString::number(maximum)) + 2);
    m_value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    contentLayout()->addWidget(m_value);

    connect(m_slider, &QSlider::valueChanged, this, [this](int value) {
        if (std::lround(m_field()) != value)
            m_field.set(value);
    });
    connect(&m_field, &ObservableNotifier::changed, this, &SliderPill::showFieldValue);
    showFieldValue();
}

void SliderPill::showFieldValue()
{
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(int(std::lround(m_field())));
    m_value->setText(QString::number(std::lround(m_field())));
}
