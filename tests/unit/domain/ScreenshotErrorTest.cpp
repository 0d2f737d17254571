#include "domain/ScreenshotError.h"

#include <gtest/gtest.h>

#include <QSet>

TEST(ScreenshotError, DescriptionsAreTheUserFacingTexts)
{
    using Code = ScreenshotError::Code;
    const struct {
        Code code;
        const char* text;
    } cases[] = {
        { Code::captureFailed, "Nie udało się wykonać zrzutu ekranu." },
        { Code::permissionDenied, "Trovix potrzebuje uprawnienia Screen Recording, aby przechwycić zawartość ekranu." },
        { Code::cancelled, "Przechwytywanie obszaru zostało anulowane." },
        { Code::screenUnavailable, "Nie udało się ustalić aktywnego ekranu." },
    };
    QSet<QString> distinct;
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.text);
        const ScreenshotError error(testCase.code);
        EXPECT_EQ(error.description(), QString::fromUtf8(testCase.text));
        EXPECT_STREQ(error.what(), testCase.text);
        EXPECT_EQ(error.code(), testCase.code);
        distinct.insert(error.description());
    }
    EXPECT_EQ(distinct.size(), 4);
}
