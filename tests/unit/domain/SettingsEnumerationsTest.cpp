#include "domain/SaveFormat.h"
#include "domain/ScrollingCaptureMode.h"
#include "domain/UploadMode.h"
#include "domain/WindowBackgroundStyle.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

template <typename Cases, typename RawValue> QStringList rawValues(const Cases& cases, RawValue rawValue)
{
    QStringList values;
    for (auto value : cases)
        values.append(rawValue(value));
    return values;
}

// Raw values are what the settings file holds: their spelling and the case order are fixed.
TEST(SettingsEnumerations, RawValuesInCaseOrder)
{
    EXPECT_EQ(rawValues(WindowBackgroundStyles::allCases, WindowBackgroundStyles::rawValue),
        QStringList({ "wallpaper", "transparent", "solidColor", "trimShadow" }));
    EXPECT_EQ(rawValues(SaveFormats::allCases, SaveFormats::rawValue), QStringList({ "png", "auto" }));
    EXPECT_EQ(rawValues(ScrollingCaptureModes::allCases, ScrollingCaptureModes::rawValue),
        QStringList({ "manual", "automatic" }));
    EXPECT_EQ(rawValues(UploadModes::allCases, UploadModes::rawValue), QStringList({ "disabled", "customServer" }));
}

template <typename Cases, typename RawValue, typename FromRawValue>
void expectExactRoundTrip(const Cases& cases, RawValue rawValue, FromRawValue fromRawValue)
{
    for (auto value : cases) {
        const QString text = rawValue(value);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(fromRawValue(text), value);
        EXPECT_EQ(fromRawValue(text.toUpper()), std::nullopt);
        EXPECT_EQ(fromRawValue(text + u' '), std::nullopt);
    }
    EXPECT_EQ(fromRawValue(QString()), std::nullopt);
}

TEST(SettingsEnumerations, OnlyTheExactRawValueReadsBack)
{
    expectExactRoundTrip(
        WindowBackgroundStyles::allCases, WindowBackgroundStyles::rawValue, WindowBackgroundStyles::fromRawValue);
    expectExactRoundTrip(SaveFormats::allCases, SaveFormats::rawValue, SaveFormats::fromRawValue);
    expectExactRoundTrip(
        ScrollingCaptureModes::allCases, ScrollingCaptureModes::rawValue, ScrollingCaptureModes::fromRawValue);
    expectExactRoundTrip(UploadModes::allCases, UploadModes::rawValue, UploadModes::fromRawValue);
}

} // namespace
