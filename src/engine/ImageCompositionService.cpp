#include "engine/ImageCompositionService.h"

#include "engine/CompositionCanvas.h"
#include "engine/ExactOverlapSearch.h"
#include "engine/ImageSignature.h"
#include "engine/SeamRefinement.h"
#include "engine/VerticalAlignment.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ImageCompositionService {

namespace {

bool hasPositiveSize(const Image& image)
{
    return image.width() > 0 && image.height() > 0;
}

// Whole rows of `source` that share its pixel buffer: a scrolling capture holds dozens of
// full-screen shots, and copying each kept part would double the memory it needs.
QImage sharedRows(const QImage& source, int top, int height)
{
    auto* owner = new QImage(source);
    const uchar* first = owner->constBits() + qsizetype(top) * owner->bytesPerLine();
    QImage rows(
        first, owner->width(), height, owner->bytesPerLine(), owner->format(),
        [](void* info) { delete static_cast<QImage*>(info); }, owner);
    rows.setColorTable(owner->colorTable());
    return rows;
}

// `image` without its top `trim` points, or none when its pixels cannot be cut there.
std::optional<Image> withoutTop(const Image& image, double trim)
{
    const QImage& pixels = image.pixels();
    const double width = image.width();
    const double height = image.height();
    const double scaleX = image.scaleX();
    const double scaleY = image.scaleY();
    const QRect kept
        = QRectF(0, scaleY * trim, scaleX * width, scaleY * (height - trim)).toAlignedRect() & pixels.rect();
    if (kept.isEmpty())
        return std::nullopt;
    QImage rows = kept.x() == 0 && kept.width() == pixels.width() ? sharedRows(pixels, kept.y(), kept.height())
                                                                  : pixels.copy(kept);
    if (rows.isNull())
        return std::nullopt;
    return Image(std::move(rows), QSizeF(width, height - trim));
}

StitchedSegment segment(const Image& image, double trim)
{
    StitchedSegment result { image, image, trim };
    if (trim > 0 && trim < image.height() - 1) {
        if (std::optional<Image> trimmed = withoutTop(image, trim))
            result.image = std::move(*trimmed);
    }
    return result;
}

} // namespace

std::optional<StitchAnalysis> analyzeVerticalContinuation(const Image& previous, const Image& current)
{
    const std::optional<ImageSignature> upper = ImageSignature::fromImage(previous, signatureWidth);
    const std::optional<ImageSignature> lower = ImageSignature::fromImage(current, signatureWidth);
    if (!upper || !lower)
        return std::nullopt;
    return VerticalAlignment::analyze(*upper, *lower, current.height());
}

std::vector<StitchedSegment> trimmedSegments(const std::vector<Image>& images)
{
    std::vector<StitchedSegment> segments;
    segments.reserve(images.size());
    // Each shot is compared as captured with both of its neighbours; its signature and its
    // rows' summary are made once.
    std::optional<ImageSignature> previousSignature;
    std::optional<ExactOverlapSearch::Shot> previousShot;
    for (std::size_t index = 0; index < images.size(); ++index) {
        const Image& image = images[index];
        std::optional<ImageSignature> signature = ImageSignature::fromImage(image, signatureWidth);
        std::optional<ExactOverlapSearch::Shot> shot;
        if (images.size() > 1)
            shot.emplace(image);
        double trim = 0;
        if (index > 0 && previousSignature && signature) {
            // Rows repeated exactly are proof; the signatures' estimate is for shots that
            // changed a little between the shots (an animation, a blinking caret).
            if (const std::optional<double> exact = ExactOverlapSearch::trim(*previousShot, *shot)) {
                trim = *exact;
            } else if (const auto analysis
                = VerticalAlignment::analyze(*previousSignature, *signature, image.height())) {
                const double rowHeight = image.height() / signature->height();
                trim = SeamRefinement::refinedTrim(images[index - 1], image, *analysis, rowHeight);
                // A repeated row too many beats a lost one.
                if (!analysis->hasNoNewContent
                    && !ExactOverlapSearch::confirms(*previousShot, *shot, trim, analysis->overlapStart))
                    trim = 0;
            }
        }
        segments.push_back(segment(image, trim));
        previousSignature = std::move(signature);
        previousShot = std::move(shot);
    }
    return segments;
}

std::optional<Image> stitchVertically(const std::vector<Image>& images)
{
    std::vector<Image> shots;
    std::copy_if(images.begin(), images.end(), std::back_inserter(shots), hasPositiveSize);
    if (shots.empty())
        return std::nullopt;
    std::vector<Image> parts;
    for (StitchedSegment& segment : trimmedSegments(shots))
        parts.push_back(std::move(segment.image));

    double width = 0;
    double height = 0;
    for (const Image& part : parts) {
        width = std::max(width, part.width());
        height += part.height();
    }
    const QPointF density = CompositionCanvas::density(parts);
    std::optional<QImage> canvas = CompositionCanvas::create(QSizeF(width, height), density, Qt::white);
    if (!canvas)
        return std::nullopt;
    QPainter painter(&*canvas);
    double top = 0;
    for (const Image& part : parts) {
        CompositionCanvas::drawImage(
            painter, part, QRectF((width - part.width()) * 0.5, top, part.width(), part.height()), density);
        top += part.height();
    }
    painter.end();
    return Image(std::move(*canvas), QSizeF(width, height));
}

} // namespace ImageCompositionService
