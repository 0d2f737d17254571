#pragma once

#include "domain/TrovixError.h"

class ImageIOError : public TrovixError {
public:
    enum class Code { noImageLoaded, couldNotEncode, imageTooLarge };

    explicit ImageIOError(Code code)
        : TrovixError(descriptionFor(code))
        , m_code(code)
    { }

    [[nodiscard]] Code code() const { return m_code; }

    [[nodiscard]] static QString descriptionFor(Code code)
    {
        switch (code) {
        case Code::noImageLoaded:
            return QStringLiteral("Brak obrazu do zapisania.");
        case Code::couldNotEncode:
            return QStringLiteral("Nie udało się zakodować obrazu do PNG.");
        case Code::imageTooLarge:
            return QStringLiteral("Obraz jest zbyt duży, by go otworzyć.");
        }
        return {};
    }

private:
    Code m_code;
};
