#include "domain/AnnotationGeometry.h"
#include "domain/AnnotationShape.h"
#include "domain/AnnotationTool.h"

#include <gtest/gtest.h>

#include <set>

TEST(AnnotationTool, RawValuesRoundTripAndRejectNearMisses)
{
    std::set<QString> seen;
    for (AnnotationTool tool : AnnotationTools::allCases) {
        const QString raw = AnnotationTools::rawValue(tool);
        EXPECT_TRUE(seen.insert(raw).second) << raw.toStdString();
        EXPECT_EQ(AnnotationTools::fromRawValue(raw), tool);
    }
    for (const char* nearMiss : { "Select", "color-picker", "colorpicker", " crop", "" })
        EXPECT_FALSE(AnnotationTools::fromRawValue(QString::fromLatin1(nearMiss))) << nearMiss;
    EXPECT_EQ(AnnotationTools::fromRawValue(QStringLiteral("colorPicker")), AnnotationTool::colorPicker);
}

TEST(AnnotationShape, EqualityIsByIdentityAndExactKind)
{
    const AnnotationStyle style { QColor(255, 59, 48), 4.0, 28.0 };
    const AnnotationShape shape = AnnotationShape::make(AnnotationKinds::Rectangle { QRectF(1, 2, 3, 4) }, style);

    const AnnotationShape lookalike = AnnotationShape::make(shape.kind, style);
    EXPECT_NE(shape, lookalike) << "separately created shapes have different ids";

    using namespace AnnotationKinds;
    // Qt's own QPointF comparison is fuzzy; a shape must notice a change this small.
    EXPECT_NE(AnnotationShape::Kind(Arrow { { 0, 0 }, { 10, 10 } }),
        AnnotationShape::Kind(Arrow { { 0, 0 }, { 10, 10 + 1e-9 } }));
    EXPECT_NE(
        AnnotationShape::Kind(Rectangle { QRectF(0, 0, 5, 5) }), AnnotationShape::Kind(Oval { QRectF(0, 0, 5, 5) }));
    EXPECT_NE(AnnotationShape::Kind(Freehand { { { 0, 0 }, { 1, 1 } } }),
        AnnotationShape::Kind(Freehand { { { 1, 1 }, { 0, 0 } } }));
    EXPECT_EQ(AnnotationShape::Kind(Measurement { { 0, 0 }, { 3, 4 }, QStringLiteral("3 \u00D7 4") }),
        AnnotationShape::Kind(Measurement { { 0, 0 }, { 3, 4 }, QStringLiteral("3 \u00D7 4") }));
}

TEST(AnnotationGeometry, MeasurementLabelTruncatesTowardZero)
{
    const struct {
        QPointF start, end;
        const char16_t* label;
    } cases[] = { { { 10, 10 }, { 110.7, 60.2 }, u"100 \u00D7 50" }, { { 0, 0 }, { -30.9, 12 }, u"30 \u00D7 12" } };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.label).toStdString());
        EXPECT_EQ(AnnotationGeometry::measurementLabel(c.start, c.end), QString::fromUtf16(c.label));
    }
}
