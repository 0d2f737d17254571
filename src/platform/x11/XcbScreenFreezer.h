#pragma once

#include "ports/ScreenFreezePort.h"

class XcbConnection;

// Reads the screens straight from the X server in this process (shared memory where the
// server offers it), the same grab the screenshot tool makes, without its process and PNG.
class XcbScreenFreezer : public ScreenFreezePort {
public:
    explicit XcbScreenFreezer(XcbConnection& connection);

    QCoro::Task<QList<FrozenScreen>> freeze(QList<Screen> screens) override;

private:
    XcbConnection& m_connection;
};
