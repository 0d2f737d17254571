#include "platform/x11/XcbScreenFreezer.h"

#include "domain/PlatformError.h"
#include "domain/ScreenshotError.h"
#include "platform/x11/XcbConnection.h"
#include "platform/x11/XcbGrabber.h"
#include "platform/x11/XcbSharedSegment.h"

#include <algorithm>
#include <future>

namespace {

// A screen's picture in the grabber's layout: four bytes a pixel, rows without padding.
std::size_t pictureBytes(const Screen& screen)
{
    return std::size_t(screen.nativeGeometry.width()) * 4 * std::size_t(screen.nativeGeometry.height());
}

} // namespace

XcbScreenFreezer::XcbScreenFreezer(XcbConnection& connection)
    : m_connection(connection)
{ }

XcbScreenFreezer::~XcbScreenFreezer() = default;

void XcbScreenFreezer::prepare(const QList<Screen>& screens)
{
    finishTouching();
    m_prepared.clear();
    std::vector<XcbSharedSegment*> fresh;
    for (const Screen& screen : screens) {
        auto segment = std::make_unique<XcbSharedSegment>(m_connection.get(), pictureBytes(screen));
        if (!segment->isUsable())
            break;
        fresh.push_back(segment.get());
        m_prepared.push_back(std::move(segment));
    }
    // Touching 33 MB for a 4K screen takes tens of milliseconds: a worker does it, so the
    // event loop sends the hiding of our windows at once and the pause runs meanwhile.
    m_touching = std::async(std::launch::async, [fresh] {
        for (XcbSharedSegment* segment : fresh)
            segment->touch();
    });
}

void XcbScreenFreezer::finishTouching()
{
    if (m_touching.valid())
        m_touching.wait();
}

std::unique_ptr<XcbSharedSegment> XcbScreenFreezer::takePrepared(const Screen& screen)
{
    const std::size_t size = pictureBytes(screen);
    const auto found = std::find_if(
        m_prepared.begin(), m_prepared.end(), [size](const auto& segment) { return segment->size() == size; });
    if (found == m_prepared.end())
        return nullptr;
    std::unique_ptr<XcbSharedSegment> segment = std::move(*found);
    m_prepared.erase(found);
    return segment;
}

QCoro::Task<QList<FrozenScreen>> XcbScreenFreezer::freeze(QList<Screen> screens)
{
    finishTouching();
    XcbGrabber grabber(m_connection);
    QList<FrozenScreen> frozen;
    for (const Screen& screen : screens) {
        QImage pixels;
        try {
            pixels = grabber.grabRootRectangle(screen.nativeGeometry, takePrepared(screen));
        } catch (const PlatformError&) {
            throw ScreenshotError(ScreenshotError::Code::captureFailed);
        }
        frozen.append({ screen, Image(std::move(pixels), screen.frame.size()) });
    }
    // Whatever was prepared for screens not asked for is not kept around.
    m_prepared.clear();
    co_return frozen;
}
