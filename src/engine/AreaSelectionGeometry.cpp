#include "engine/AreaSelectionGeometry.h"

#include "engine/PrecisionGeometry.h"
#include "engine/ScreenCaptureGeometry.h"

#include <cmath>

namespace AreaSelectionGeometry {

namespace {

constexpr double guideMinimumSide = 18;
constexpr double labelGapBelow = 34;
constexpr double labelBottomMargin = 8;
constexpr double labelTextPadding = 20;
constexpr double hintGap = 10;

QString whole(double value)
{
    return QString::number(std::floor(value), 'f', 0);
}

} // namespace

QRectF selectionRect(QPointF start, QPointF end, bool squared)
{
    const QPointF corner = squared ? PrecisionGeometry::squarePoint(start, end) : end;
    const QRectF rect(std::min(start.x(), corner.x()), std::min(start.y(), corner.y()),
        std::abs(corner.x() - start.x()), std::abs(corner.y() - start.y()));
    return ScreenCaptureGeometry::integral(rect);
}

bool isLargeEnough(const QRectF& selection)
{
    return selection.width() > minimumSide && selection.height() > minimumSide;
}

std::optional<QRectF> globalRect(const QRectF& selection, const QRectF& screenFrame)
{
    const QRectF moved = selection.normalized().translated(screenFrame.topLeft()).normalized();
    const QRectF onScreen = screenFrame.normalized().intersected(moved);
    if (onScreen.isEmpty())
        return std::nullopt;
    return ScreenCaptureGeometry::integral(onScreen);
}

bool showsGuides(const QRectF& selection)
{
    return selection.width() > guideMinimumSide && selection.height() > guideMinimumSide;
}

QString dimensionText(const QRectF& selection)
{
    return whole(selection.left()) + QStringLiteral(", ") + whole(selection.top()) + QStringLiteral("   \u2022   ")
        + whole(selection.width()) + QStringLiteral(" \u00D7 ") + whole(selection.height());
}

QRectF labelBox(const QRectF& selection, double textWidth)
{
    // View rectangles keep their smallest y in top(): that is the selection's bottom edge.
    const double y = std::max(selection.top() - labelGapBelow, labelBottomMargin);
    return { selection.left(), y, textWidth + labelTextPadding, labelHeight };
}

HintOrigins hintOrigins(QSizeF viewSize, QSizeF titleSize, QSizeF subtitleSize)
{
    const double midX = viewSize.width() / 2;
    const double subtitleY = viewSize.height() / 2 - (titleSize.height() + subtitleSize.height() + hintGap) / 2;
    const double titleY = subtitleY + subtitleSize.height() + hintGap;
    return { QPointF(midX - titleSize.width() / 2, titleY), QPointF(midX - subtitleSize.width() / 2, subtitleY) };
}

} // namespace AreaSelectionGeometry
