#pragma once

#include "domain/TrovixError.h"

class OCRError : public TrovixError {
public:
    enum class Code { cgImageUnavailable, requestFailed };

    explicit OCRError(Code code)
        : TrovixError(descriptionFor(code))
        , m_code(code)
    { }

    [[nodiscard]] Code code() const { return m_code; }

    [[nodiscard]] static QString descriptionFor(Code code)
    {
        switch (code) {
        case Code::cgImageUnavailable:
            return QStringLiteral("Nie udało się przygotować obrazu do OCR.");
        case Code::requestFailed:
            return QStringLiteral("OCR nie zwrócił wyniku.");
        }
        return {};
    }

private:
    Code m_code;
};
