#pragma once

// The desktop scripts/wayland-session.sh starts, seen from a test: its outputs, and a known
// picture shown on each of them by a real Wayland client (swaybg).
#include "domain/DesktopOutput.h"
#include "support/Polling.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

namespace WaylandDesktop {

using namespace std::chrono_literals;

// What the session script set up: HEADLESS-1 at scale 1, HEADLESS-2 at scale 2 right of it.
inline const DesktopOutput first { QStringLiteral("HEADLESS-1"), QRect(0, 0, 640, 480), 1.0 };
inline const DesktopOutput second { QStringLiteral("HEADLESS-2"), QRect(640, 0, 400, 300), 2.0 };

// A colour for every pixel that differs from its neighbours', so a shifted, scaled or
// blurred picture cannot match.
inline QRgb noiseAt(int x, int y)
{
    const unsigned hash = (unsigned(x) * 73856093u) ^ (unsigned(y) * 19349663u) ^ 0x5bd1e995u;
    return qRgb(int(hash & 0xff), int((hash >> 8) & 0xff), int((hash >> 16) & 0xff));
}

// Solid 8 x 8 cells: what survives the compositor enlarging an output, away from the edges.
inline QRgb cellAt(int x, int y)
{
    return noiseAt(x / 8 + 1000, y / 8 + 1000);
}

inline bool onCellEdge(int x, int y)
{
    return x % 8 == 0 || x % 8 == 7 || y % 8 == 0 || y % 8 == 7;
}

inline QImage pattern(QSize pixels, QRgb (*colour)(int, int))
{
    QImage image(pixels, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colour(x, y));
    }
    return image;
}

// The first output shows cells at 640 x 480, the second noise at its 800 x 600 device pixels.
inline QImage firstPattern()
{
    return pattern(first.logical.size(), cellAt);
}
inline QImage secondPattern()
{
    return pattern(second.logical.size() * 2, noiseAt);
}

// The pixels that differ, with where the first one is, for a readable failure.
inline QString difference(const QImage& actual, const QImage& expected, bool skipCellEdges = false)
{
    if (actual.size() != expected.size())
        return QStringLiteral("size %1 x %2, expected %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    int different = 0;
    QString first;
    for (int y = 0; y < e.height(); ++y) {
        for (int x = 0; x < e.width(); ++x) {
            if ((skipCellEdges && onCellEdge(x, y)) || a.pixel(x, y) == e.pixel(x, y))
                continue;
            if (different++ == 0)
                first = QStringLiteral("first at (%1, %2): %3, expected %4")
                            .arg(x)
                            .arg(y)
                            .arg(a.pixel(x, y), 8, 16)
                            .arg(e.pixel(x, y), 8, 16);
        }
    }
    return different == 0 ? QString() : QStringLiteral("%1 pixels differ, %2").arg(different).arg(first);
}

// Shows the two patterns with swaybg and waits until the compositor shows them exactly
// (grim reads one output at its own scale).
class Wallpapers {
public:
    Wallpapers()
    {
        if (!m_folder.isValid())
            return;
        show(first.name, firstPattern(), QStringLiteral("first.png"));
        show(second.name, secondPattern(), QStringLiteral("second.png"));
        m_shown = waitUntil(
            [this] { return shows(first.name, firstPattern()) && shows(second.name, secondPattern()); }, 15s);
    }
    ~Wallpapers()
    {
        for (auto& process : m_processes) {
            process->terminate();
            process->waitForFinished(3000);
        }
    }
    Wallpapers(const Wallpapers&) = delete;
    Wallpapers& operator=(const Wallpapers&) = delete;

    [[nodiscard]] bool shown() const { return m_shown; }
    [[nodiscard]] QString folder() const { return m_folder.path(); }

private:
    void show(const QString& output, const QImage& picture, const QString& fileName)
    {
        const QString path = m_folder.filePath(fileName);
        picture.save(path, "PNG");
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral("swaybg"),
            { QStringLiteral("-o"), output, QStringLiteral("-i"), path, QStringLiteral("-m"),
                QStringLiteral("center") });
        m_processes.push_back(std::move(process));
    }

    bool shows(const QString& output, const QImage& expected) const
    {
        const QString path = m_folder.filePath(QStringLiteral("check-") + output + QStringLiteral(".png"));
        QProcess grim;
        grim.start(QStringLiteral("grim"), { QStringLiteral("-o"), output, path });
        if (!grim.waitForFinished(5000) || grim.exitCode() != 0)
            return false;
        return difference(QImage(path), expected).isEmpty();
    }

    QTemporaryDir m_folder;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    bool m_shown = false;
};

} // namespace WaylandDesktop
