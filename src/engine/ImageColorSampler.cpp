#include "engine/ImageColorSampler.h"

#include <cmath>

namespace ImageColorSampler {

namespace {

int hexDigitValue(QChar character)
{
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace

std::optional<QString> sampleHexColor(QPointF point, const Image& image)
{
    const QImage& pixels = image.pixels();
    if (pixels.isNull() || image.width() <= 0 || image.height() <= 0)
        return std::nullopt;
    // Compared as doubles first: a NaN or huge point must not reach the integer conversion.
    const double column = std::trunc(image.scaleX() * point.x());
    const double row = std::trunc(image.scaleY() * point.y());
    if (!(column >= 0 && column < pixels.width() && row >= 0 && row < pixels.height()))
        return std::nullopt;
    // QImage::pixel decodes the real channel order of every format (BGRA, RGBA, 24-bit,
    // indexed), and keeps premultiplied formats premultiplied.
    const QRgb value = pixels.pixel(static_cast<int>(column), static_cast<int>(row));
    return QStringLiteral("#%1%2%3")
        .arg(qRed(value), 2, 16, QLatin1Char('0'))
        .arg(qGreen(value), 2, 16, QLatin1Char('0'))
        .arg(qBlue(value), 2, 16, QLatin1Char('0'))
        .toUpper();
}

std::optional<QColor> color(const QString& hexText)
{
    qsizetype first = 0;
    qsizetype last = hexText.size();
    while (first < last && hexText.at(first) == QLatin1Char('#'))
        ++first;
    while (last > first && hexText.at(last - 1) == QLatin1Char('#'))
        --last;
    const QString digits = hexText.mid(first, last - first);
    if (digits.size() != 6)
        return std::nullopt;
    // A sign may lead, as the standard integer parser allows; everything else must be a
    // hex digit (QString::toLongLong alone would also skip surrounding white space).
    const bool negative = digits.front() == QLatin1Char('-');
    const qsizetype start = (negative || digits.front() == QLatin1Char('+')) ? 1 : 0;
    if (start == digits.size())
        return std::nullopt;
    qlonglong value = 0;
    for (qsizetype i = start; i < digits.size(); ++i) {
        const int digit = hexDigitValue(digits.at(i));
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    if (negative)
        value = -value;
    return QColor::fromRgbF(float(((value >> 16) & 0xFF) / 255.0), float(((value >> 8) & 0xFF) / 255.0),
        float((value & 0xFF) / 255.0), 1.0f);
}

} // namespace ImageColorSampler
