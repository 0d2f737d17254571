#pragma once

#include "domain/Image.h"
#include "engine/ImageIOService.h"

#include <QByteArray>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// The two versions of each file the crash writer alternates between, so that the test can
// tell a complete file from a torn one byte for byte.
namespace CrashWriterContent {

inline QByteArray settingsJson(int version)
{
    // Long enough that a write takes a while, as a real settings file with a long token may.
    const QString token(200000, QChar(u'a' + version));
    QJsonObject values { { QStringLiteral("uploadAuthorizationToken"), token },
        { QStringLiteral("launchAtStartup"), version == 1 }, { QStringLiteral("version"), version } };
    return QJsonDocument(values).toJson(QJsonDocument::Indented);
}

inline Image picture(int version)
{
    QImage pixels(900, 700, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < pixels.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const unsigned noise = (static_cast<unsigned>(x) * 2654435761u) ^ (static_cast<unsigned>(y) * 40503u)
                ^ static_cast<unsigned>(version * 977);
            row[x] = qRgb(static_cast<int>(noise & 0xff), static_cast<int>((noise >> 8) & 0xff), version * 200);
        }
    }
    return Image(pixels);
}

inline QByteArray pictureBytes(int version)
{
    return ImageIOService::pngData(picture(version));
}

} // namespace CrashWriterContent
