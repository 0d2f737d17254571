#include "domain/AnnotationGeometry.h"

#include <algorithm>
#include <cmath>

namespace AnnotationGeometry {

QRectF normalizedRect(QPointF start, QPointF end)
{
    return QRectF(std::min(start.x(), end.x()), std::min(start.y(), end.y()), std::abs(end.x() - start.x()),
        std::abs(end.y() - start.y()));
}

QString measurementLabel(QPointF start, QPointF end)
{
    // Truncation of a huge double would overflow an integer, so the whole number is
    // formatted from the truncated double itself.
    const double width = std::trunc(std::abs(end.x() - start.x()));
    const double height = std::trunc(std::abs(end.y() - start.y()));
    return QString::number(width, 'f', 0) + QStringLiteral(" \u00D7 ") + QString::number(height, 'f', 0);
}

} // namespace AnnotationGeometry
