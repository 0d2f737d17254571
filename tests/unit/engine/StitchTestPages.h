#pragma once

// Synthetic web-like pages for stitching tests and benchmarks: paragraphs of DejaVu text,
// headings, rules and picture blocks on white, drawn deterministically from a seed. Shots are
// pixel copies of a window of the page, so a correct stitch can be compared row for row.

#include "domain/Image.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace StitchTestPages {

class Page {
public:
    // A page of `width` × `height` points at `density` pixels per point.
    Page(int width, int height, int density, unsigned seed = 7)
        : m_pixels(width * density, height * density, QImage::Format_ARGB32_Premultiplied)
        , m_density(density)
        , m_random(seed)
    {
        m_pixels.fill(Qt::white);
        QPainter painter(&m_pixels);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(density, density);
        double y = 16;
        while (y < height)
            y = drawBlock(painter, y, width);
    }

    [[nodiscard]] const QImage& pixels() const { return m_pixels; }
    [[nodiscard]] int width() const { return m_pixels.width() / m_density; }
    [[nodiscard]] int height() const { return m_pixels.height() / m_density; }

    // Rows [top, top + height) of the page in points, as an image of that point size.
    [[nodiscard]] Image rows(int top, int height) const
    {
        return Image(m_pixels.copy(0, top * m_density, m_pixels.width(), height * m_density), QSizeF(width(), height));
    }

private:
    int next(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

    double drawBlock(QPainter& painter, double y, int width)
    {
        const int kind = next(0, 5);
        return kind == 0 ? drawHeading(painter, y, width)
            : kind == 1  ? drawPicture(painter, y, width)
                         : drawParagraph(painter, y, width);
    }

    QString words(int count)
    {
        static const QStringList vocabulary = QStringLiteral(
            "scroll capture stitch overlap shot page header footer window screen pixel row column "
            "signature search score trim segment canvas annotate arrow text image picture render quick "
            "brown fox jumps over lazy dog lorem ipsum dolor sit amet consectetur adipiscing elit")
                                                  .split(QLatin1Char(' '));
        QStringList line;
        for (int i = 0; i < count; ++i)
            line << vocabulary.at(next(0, int(vocabulary.size()) - 1));
        return line.join(QLatin1Char(' '));
    }

    double drawParagraph(QPainter& painter, double y, int width)
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(13);
        painter.setFont(font);
        painter.setPen(QColor(34, 34, 40));
        const int lines = next(2, 7);
        for (int line = 0; line < lines; ++line) {
            const int wordCount = line + 1 == lines ? next(3, 8) : next(8, 14);
            painter.drawText(QRectF(24, y, width - 48, 20), Qt::AlignLeft | Qt::AlignVCenter, words(wordCount));
            y += 20;
        }
        return y + 14;
    }

    double drawHeading(QPainter& painter, double y, int width)
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(22);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(10, 40, 90));
        painter.drawText(QRectF(24, y, width - 48, 32), Qt::AlignLeft | Qt::AlignVCenter, words(next(2, 5)));
        painter.fillRect(QRectF(24, y + 36, width - 48, 1), QColor(200, 200, 210));
        return y + 50;
    }

    double drawPicture(QPainter& painter, double y, int width)
    {
        const double pictureWidth = width * next(40, 90) / 100.0;
        const double height = next(80, 200);
        const QRectF frame(24, y, pictureWidth - 24, height);
        QLinearGradient gradient(frame.topLeft(), frame.bottomRight());
        gradient.setColorAt(0, QColor::fromHsv(next(0, 359), 120, 230));
        gradient.setColorAt(1, QColor::fromHsv(next(0, 359), 200, 120));
        painter.fillRect(frame, gradient);
        painter.setPen(Qt::NoPen);
        for (int shape = 0; shape < 4; ++shape) {
            painter.setBrush(QColor::fromHsv(next(0, 359), 180, 240, 180));
            painter.drawEllipse(QPointF(frame.left() + next(0, int(frame.width())), frame.top() + next(0, int(height))),
                next(8, 40), next(8, 40));
        }
        return y + height + 18;
    }

    QImage m_pixels;
    int m_density;
    std::mt19937 m_random;
};

// A band that stays put while the page scrolls beneath it, like a sticky site header.
inline void drawFixedBand(Image& shot, int top, int height, const QColor& color, const QString& title)
{
    QImage pixels = shot.pixels();
    QPainter painter(&pixels);
    const double density = shot.scaleY();
    painter.scale(shot.scaleX(), density);
    painter.fillRect(QRectF(0, top, shot.width(), height), color);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(16, top, shot.width() - 32, height), Qt::AlignLeft | Qt::AlignVCenter, title);
    painter.end();
    shot = Image(pixels, shot.size());
}

} // namespace StitchTestPages
