#pragma once

#include <QString>
#include <QStringList>

// What recognition found in one image.
struct ImageAnalysisResult {
    // The recognised lines, one per line, in reading order; empty when nothing was read.
    QString text;
    // QR code payloads in the order found, repeats kept: two equal codes give two entries.
    QStringList codes;

    friend bool operator==(const ImageAnalysisResult&, const ImageAnalysisResult&) = default;
};
