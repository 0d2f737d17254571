#pragma once

#include <QColor>

struct AnnotationStyle {
    QColor color;
    double lineWidth = 4.0;
    double fontSize = 28.0;

    friend bool operator==(const AnnotationStyle&, const AnnotationStyle&) = default;
};
