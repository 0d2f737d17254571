#pragma once

#include "ports/ScreenFreezePort.h"

#include <future>
#include <memory>
#include <vector>

class XcbConnection;
class XcbSharedSegment;

// Reads the screens straight from the X server in this process (shared memory where the
// server offers it), the same grab the screenshot tool makes, without its process and PNG.
class XcbScreenFreezer : public ScreenFreezePort {
public:
    explicit XcbScreenFreezer(XcbConnection& connection);
    ~XcbScreenFreezer() override;

    void prepare(const QList<Screen>& screens) override;
    QCoro::Task<QList<FrozenScreen>> freeze(QList<Screen> screens) override;

private:
    [[nodiscard]] std::unique_ptr<XcbSharedSegment> takePrepared(const Screen& screen);
    void finishTouching();

    XcbConnection& m_connection;
    // Shared memory made ready for the next freeze, one segment per screen.
    std::vector<std::unique_ptr<XcbSharedSegment>> m_prepared;
    // Declared after the segments, so it is destroyed first and waits for its worker.
    std::future<void> m_touching;
};
