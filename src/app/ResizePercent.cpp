#include "app/ResizePercent.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace ResizePercent {

namespace {

    constexpr double s_maximumSide = 32768;
    constexpr double s_maximumArea = 500'000'000;

    // strtod follows the process locale, which Qt sets from the environment; a decimal
    // comma must not change what "12.5" means.
    locale_t cLocale()
    {
        static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        return locale;
    }

} // namespace

std::optional<double> parse(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    // strtod skips leading white space by itself; the percentage may not start with any.
    if (bytes.isEmpty() || std::isspace(static_cast<unsigned char>(bytes.front())))
        return std::nullopt;
    char* end = nullptr;
    const double value = strtod_l(bytes.constData(), &end, cLocale());
    if (end != bytes.constData() + bytes.size())
        return std::nullopt;
    if (!std::isfinite(value) || value <= 0)
        return std::nullopt;
    return value;
}

std::optional<QSizeF> targetSize(QSizeF imageSize, double percent)
{
    const double scale = percent / 100;
    const double width = std::max(std::round(scale * imageSize.width()), 1.0);
    const double height = std::max(std::round(scale * imageSize.height()), 1.0);
    if (!std::isfinite(width) || !std::isfinite(height) || width > s_maximumSide || height > s_maximumSide
        || width * height > s_maximumArea)
        return std::nullopt;
    return QSizeF(width, height);
}

} // namespace ResizePercent
