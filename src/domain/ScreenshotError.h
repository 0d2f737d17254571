#pragma once

#include "domain/TrovixError.h"

// The one error of the capture backends and the screenshot service.
class ScreenshotError : public TrovixError {
public:
    enum class Code { captureFailed, permissionDenied, cancelled, screenUnavailable };

    explicit ScreenshotError(Code code)
        : TrovixError(descriptionFor(code))
        , m_code(code)
    { }

    [[nodiscard]] Code code() const { return m_code; }

    [[nodiscard]] static QString descriptionFor(Code code)
    {
        switch (code) {
        case Code::captureFailed:
            return QStringLiteral("Nie udało się wykonać zrzutu ekranu.");
        case Code::permissionDenied:
            return QStringLiteral("Trovix potrzebuje uprawnienia Screen Recording, aby przechwycić zawartość ekranu.");
        case Code::cancelled:
            return QStringLiteral("Przechwytywanie obszaru zostało anulowane.");
        case Code::screenUnavailable:
            return QStringLiteral("Nie udało się ustalić aktywnego ekranu.");
        }
        return {};
    }

private:
    Code m_code;
};
