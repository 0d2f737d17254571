#include "engine/ScreenTextRegions.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

namespace ScreenTextRegions {

namespace {

// Background levels are counted in bins this wide: the paper of one panel varies by a few
// levels (gradients, noise of a scaled capture) but two panels differ by far more.
constexpr int binWidth = 4;
constexpr int binCount = 256 / binWidth;
constexpr int sameBackground = 20;
// Bands of another background thinner than this are borders, separators or rules: they
// belong to their neighbour rather than being an area of their own.
constexpr int thinnestArea = 16;
constexpr int deepestSplit = 10;
// Dots, rules and frame lines are no text lines; a glyph line is at least this tall.
constexpr int shortestLine = 4;
// The engine reads a block better with some lines around each one; a block is shared out
// between workers only when each gets at least this many.
constexpr int fewestSharedLines = 12;

using Histogram = std::array<int, binCount>;

struct LineBackground {
    int level = 0;
    // Share of the line's pixels near that level: high for a line crossing one panel only.
    double purity = 0;
};

int binCentre(int bin)
{
    return bin * binWidth + binWidth / 2;
}

LineBackground summarise(const Histogram& histogram)
{
    const auto peak = std::max_element(histogram.begin(), histogram.end());
    const int bin = int(peak - histogram.begin());
    int total = 0;
    int near = 0;
    for (int index = 0; index < binCount; ++index) {
        total += histogram[size_t(index)];
        if (std::abs(index - bin) * binWidth <= sameBackground)
            near += histogram[size_t(index)];
    }
    return { binCentre(bin), total == 0 ? 0.0 : double(near) / double(total) };
}

// Every other pixel along a line is plenty to tell its background and keeps large screens quick.
std::vector<LineBackground> rowBackgrounds(const QImage& grey, QRect rect)
{
    std::vector<LineBackground> rows;
    rows.reserve(size_t(rect.height()));
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        Histogram histogram {};
        const uchar* line = grey.constScanLine(y);
        for (int x = rect.left(); x <= rect.right(); x += 2)
            ++histogram[size_t(line[x] / binWidth)];
        rows.push_back(summarise(histogram));
    }
    return rows;
}

std::vector<LineBackground> columnBackgrounds(const QImage& grey, QRect rect)
{
    std::vector<Histogram> histograms(size_t(rect.width()), Histogram {});
    for (int y = rect.top(); y <= rect.bottom(); y += 2) {
        const uchar* line = grey.constScanLine(y);
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++histograms[size_t(x - rect.left())][size_t(line[x] / binWidth)];
    }
    std::vector<LineBackground> columns;
    columns.reserve(histograms.size());
    for (const Histogram& histogram : histograms)
        columns.push_back(summarise(histogram));
    return columns;
}

double meanPurity(const std::vector<LineBackground>& lines)
{
    double sum = 0;
    for (const LineBackground& line : lines)
        sum += line.purity;
    return lines.empty() ? 0.0 : sum / double(lines.size());
}

struct Run {
    int begin = 0;
    int end = 0;
    int level = 0;
};

// Consecutive lines of one background level; thin runs join their neighbour.
std::vector<Run> backgroundRuns(const std::vector<LineBackground>& lines)
{
    std::vector<Run> raw;
    for (int index = 0; index < int(lines.size()); ++index) {
        const int level = lines[size_t(index)].level;
        if (raw.empty() || std::abs(level - raw.back().level) > sameBackground)
            raw.push_back({ index, index + 1, level });
        else
            raw.back().end = index + 1;
    }
    std::vector<Run> runs;
    int pendingBegin = -1;
    for (const Run& run : raw) {
        if (run.end - run.begin < thinnestArea) {
            if (!runs.empty())
                runs.back().end = run.end;
            else if (pendingBegin < 0)
                pendingBegin = run.begin;
            continue;
        }
        if (!runs.empty() && std::abs(runs.back().level - run.level) <= sameBackground) {
            runs.back().end = run.end;
            continue;
        }
        runs.push_back({ pendingBegin >= 0 ? pendingBegin : run.begin, run.end, run.level });
        pendingBegin = -1;
    }
    return runs;
}

int dominantLevel(const QImage& grey, QRect rect)
{
    Histogram histogram {};
    for (int y = rect.top(); y <= rect.bottom(); y += 2) {
        const uchar* line = grey.constScanLine(y);
        for (int x = rect.left(); x <= rect.right(); x += 2)
            ++histogram[size_t(line[x] / binWidth)];
    }
    return summarise(histogram).level;
}

struct Area {
    QRect rect;
    int background = 255;
};

// Splits where whole rows or whole columns change their background, in the direction whose
// lines each cross one background most purely (a sidebar beside a page splits by columns even
// when a title bar spans both).
void splitByBackground(const QImage& grey, QRect rect, int depth, std::vector<Area>& areas)
{
    const std::vector<LineBackground> rows = rowBackgrounds(grey, rect);
    const std::vector<LineBackground> columns = columnBackgrounds(grey, rect);
    const std::vector<Run> rowRuns = backgroundRuns(rows);
    const std::vector<Run> columnRuns = backgroundRuns(columns);
    const bool rowsSplit = rowRuns.size() > 1;
    const bool columnsSplit = columnRuns.size() > 1;
    if (depth >= deepestSplit || (!rowsSplit && !columnsSplit)) {
        areas.push_back({ rect, dominantLevel(grey, rect) });
        return;
    }
    const bool byRows = rowsSplit && (!columnsSplit || meanPurity(rows) >= meanPurity(columns));
    for (const Run& run : byRows ? rowRuns : columnRuns) {
        const QRect part = byRows ? QRect(rect.left(), rect.top() + run.begin, rect.width(), run.end - run.begin)
                                  : QRect(rect.left() + run.begin, rect.top(), run.end - run.begin, rect.height());
        splitByBackground(grey, part, depth + 1, areas);
    }
}

// Which pixels of one background area differ enough from it to be text.
class InkMap {
public:
    InkMap(const QImage& grey, const Area& area)
        : m_rect(area.rect)
        , m_contrast(size_t(area.rect.width()) * size_t(area.rect.height()))
    {
        for (int y = 0; y < m_rect.height(); ++y) {
            const uchar* line = grey.constScanLine(m_rect.top() + y) + m_rect.left();
            for (int x = 0; x < m_rect.width(); ++x)
                m_contrast[size_t(y) * size_t(m_rect.width()) + size_t(x)] = uchar(std::abs(line[x] - area.background));
        }
    }

    [[nodiscard]] int contrast(int x, int y) const
    {
        return m_contrast[size_t(y - m_rect.top()) * size_t(m_rect.width()) + size_t(x - m_rect.left())];
    }
    [[nodiscard]] bool ink(int x, int y) const { return contrast(x, y) > inkContrast; }
    [[nodiscard]] QRect area() const { return m_rect; }

    [[nodiscard]] std::vector<bool> inkedRows(QRect rect) const
    {
        std::vector<bool> rows(size_t(rect.height()), false);
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right() && !rows[size_t(y - rect.top())]; ++x)
                rows[size_t(y - rect.top())] = ink(x, y);
        return rows;
    }

    [[nodiscard]] std::vector<bool> inkedColumns(QRect rect) const
    {
        std::vector<bool> columns(size_t(rect.width()), false);
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (ink(x, y))
                    columns[size_t(x - rect.left())] = true;
        return columns;
    }

    // The smallest rectangle holding all ink of `rect`; empty when there is none.
    [[nodiscard]] QRect inkBounds(QRect rect) const
    {
        const std::vector<bool> rows = inkedRows(rect);
        const std::vector<bool> columns = inkedColumns(rect);
        const auto first = [](const std::vector<bool>& marks) {
            return int(std::find(marks.begin(), marks.end(), true) - marks.begin());
        };
        const auto last = [](const std::vector<bool>& marks) {
            return int(marks.rend() - std::find(marks.rbegin(), marks.rend(), true)) - 1;
        };
        const int top = first(rows);
        if (top == int(rows.size()))
            return {};
        return QRect(QPoint(rect.left() + first(columns), rect.top() + top),
            QPoint(rect.left() + last(columns), rect.top() + last(rows)));
    }

private:
    QRect m_rect;
    std::vector<uchar> m_contrast;
};

struct Span {
    int begin = 0;
    int end = 0;
};

std::vector<Span> spansOf(const std::vector<bool>& marks, bool value)
{
    std::vector<Span> spans;
    for (int index = 0; index < int(marks.size()); ++index) {
        if (marks[size_t(index)] != value)
            continue;
        if (!spans.empty() && spans.back().end == index)
            spans.back().end = index + 1;
        else
            spans.push_back({ index, index + 1 });
    }
    return spans;
}

// Heights of the text lines of `rect`, rules and dots left out.
std::vector<int> lineHeights(const InkMap& ink, QRect rect)
{
    std::vector<int> heights;
    for (const Span& span : spansOf(ink.inkedRows(rect), true))
        if (span.end - span.begin >= shortestLine)
            heights.push_back(span.end - span.begin);
    return heights;
}

int median(std::vector<int> values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + std::ptrdiff_t(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Interior blank spans at least `minimum` long, as cuts between the inked parts.
std::vector<Span> gaps(const std::vector<bool>& inked, int minimum)
{
    std::vector<Span> cuts;
    for (const Span& blank : spansOf(inked, false))
        if (blank.begin > 0 && blank.end < int(inked.size()) && blank.end - blank.begin >= minimum)
            cuts.push_back(blank);
    return cuts;
}

struct Thresholds {
    // A blank band this tall may separate blocks (it is more than the leading of a paragraph).
    int rowGap = 0;
    // A blank strip this wide separates columns; spaces between words and table cells are narrower.
    int columnGap = 0;
};

std::vector<QRect> cutBlocks(const InkMap& ink, QRect rect, const Thresholds& thresholds, int depth);

// Bands cut at blank rows only so that columns below a full-width heading can be found; bands
// that did not split into columns are joined again, so a page reads as one block, not as one
// block per paragraph.
std::vector<QRect> cutIntoBands(
    const InkMap& ink, QRect rect, const std::vector<Span>& cuts, const Thresholds& thresholds, int depth)
{
    std::vector<QRect> blocks;
    bool lastIsWhole = false;
    int top = 0;
    for (size_t index = 0; index <= cuts.size(); ++index) {
        const int bottom = index < cuts.size() ? cuts[index].begin : rect.height();
        const QRect band(rect.left(), rect.top() + top, rect.width(), bottom - top);
        const std::vector<QRect> parts = cutBlocks(ink, band, thresholds, depth + 1);
        if (parts.size() == 1 && lastIsWhole)
            blocks.back() = blocks.back().united(parts.front());
        else
            blocks.insert(blocks.end(), parts.begin(), parts.end());
        lastIsWhole = parts.size() == 1;
        if (index < cuts.size())
            top = cuts[index].end;
    }
    return blocks;
}

std::vector<QRect> cutIntoColumns(
    const InkMap& ink, QRect rect, const std::vector<Span>& cuts, const Thresholds& thresholds, int depth)
{
    std::vector<QRect> blocks;
    int left = 0;
    for (size_t index = 0; index <= cuts.size(); ++index) {
        const int right = index < cuts.size() ? cuts[index].begin : rect.width();
        const std::vector<QRect> parts
            = cutBlocks(ink, QRect(rect.left() + left, rect.top(), right - left, rect.height()), thresholds, depth + 1);
        blocks.insert(blocks.end(), parts.begin(), parts.end());
        if (index < cuts.size())
            left = cuts[index].end;
    }
    return blocks;
}

// Columns that run the whole height are cut first, so each is read to its end before the
// next one starts, headings included.
std::vector<QRect> cutBlocks(const InkMap& ink, QRect rect, const Thresholds& thresholds, int depth)
{
    rect = ink.inkBounds(rect);
    if (rect.isEmpty())
        return {};
    if (depth >= 2 * deepestSplit)
        return { rect };
    const std::vector<Span> columnCuts = gaps(ink.inkedColumns(rect), thresholds.columnGap);
    if (!columnCuts.empty())
        return cutIntoColumns(ink, rect, columnCuts, thresholds, depth);
    const std::vector<Span> rowCuts = gaps(ink.inkedRows(rect), thresholds.rowGap);
    if (!rowCuts.empty())
        return cutIntoBands(ink, rect, rowCuts, thresholds, depth);
    return { rect };
}

// A block of one or two lines says little about the size of its text (a button's frame
// counts as one tall line), so the area's lines speak for it unless its own are smaller.
std::optional<TextRegion> regionOf(const InkMap& ink, QRect block, int background, int areaLineHeight)
{
    const std::vector<int> heights = lineHeights(ink, block);
    if (heights.empty())
        return std::nullopt;
    TextRegion region;
    region.background = background;
    region.lineCount = int(heights.size());
    region.lineHeight = region.lineCount >= 3 ? median(heights) : std::min(median(heights), areaLineHeight);
    for (int y = block.top(); y <= block.bottom(); ++y)
        for (int x = block.left(); x <= block.right(); ++x)
            region.strongestInk = std::max(region.strongestInk, ink.contrast(x, y));
    // Background around the text: the engine misreads glyphs that touch the picture's edge.
    const int margin = std::max(4, region.lineHeight / 2);
    region.area = block.adjusted(-margin, -margin, margin, margin).intersected(ink.area());
    return region;
}

} // namespace

std::vector<TextRegion> find(const QImage& grey)
{
    std::vector<TextRegion> regions;
    if (grey.isNull() || grey.format() != QImage::Format_Grayscale8)
        return regions;
    std::vector<Area> areas;
    splitByBackground(grey, grey.rect(), 0, areas);
    for (const Area& area : areas) {
        const InkMap ink(grey, area);
        const int lineHeight = median(lineHeights(ink, area.rect));
        if (lineHeight == 0)
            continue;
        const Thresholds thresholds { std::max(3, lineHeight * 4 / 5), std::max(12, lineHeight * 5 / 2) };
        for (const QRect& block : cutBlocks(ink, area.rect, thresholds, 0))
            if (std::optional<TextRegion> region = regionOf(ink, block, area.background, lineHeight))
                regions.push_back(*region);
    }
    return regions;
}

std::vector<TextRegion> splitAtLineGaps(const QImage& grey, const TextRegion& region, int pieces)
{
    const QRect area = region.area.intersected(grey.rect());
    if (pieces < 2 || area.isEmpty() || grey.format() != QImage::Format_Grayscale8)
        return { region };
    const InkMap ink(grey, { area, region.background });
    const std::vector<Span> lines = spansOf(ink.inkedRows(area), true);
    if (int(lines.size()) < fewestSharedLines * pieces)
        return { region };
    std::vector<TextRegion> parts;
    int top = 0;
    size_t firstLine = 0;
    for (int piece = 1; piece <= pieces; ++piece) {
        // The last line of this piece: the one in whose wake its share of the lines ends.
        const size_t lastLine = piece == pieces ? lines.size() - 1 : lines.size() * size_t(piece) / size_t(pieces) - 1;
        const int bottom = piece == pieces ? area.height() : (lines[lastLine].end + lines[lastLine + 1].begin) / 2;
        TextRegion part = region;
        part.area = QRect(area.left(), area.top() + top, area.width(), bottom - top);
        part.lineCount = int(lastLine - firstLine + 1);
        parts.push_back(part);
        top = bottom;
        firstLine = lastLine + 1;
    }
    return parts;
}

} // namespace ScreenTextRegions
