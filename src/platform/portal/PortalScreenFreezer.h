#pragma once

#include "domain/DesktopOutput.h"
#include "ports/ScreenFreezePort.h"

#include <functional>

class PortalScreenshot;

// The screens' pictures in a Wayland session: one non-interactive portal screenshot of the
// whole desktop, cut per output and brought to each output's own scale. Screens are XWayland
// monitors, whose root rectangles are the outputs' logical rectangles and whose names are
// the outputs' names.
class PortalScreenFreezer : public ScreenFreezePort {
public:
    using OutputSource = std::function<QList<DesktopOutput>()>;

    PortalScreenFreezer(PortalScreenshot& screenshots, OutputSource outputs);

    QCoro::Task<QList<FrozenScreen>> freeze(QList<Screen> screens) override;

    // The output showing `screen`: the one of its name, else the one at its root rectangle.
    [[nodiscard]] static std::optional<DesktopOutput> outputFor(
        const Screen& screen, const QList<DesktopOutput>& outputs);

private:
    PortalScreenshot& m_screenshots;
    OutputSource m_outputs;
};
