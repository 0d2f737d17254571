#pragma once

#include "ports/ScreensPort.h"

class XcbConnection;

// Screens from the RandR monitors (the whole root when there are none), with their root
// rectangles converted to global points around the primary monitor.
class XcbScreens : public ScreensPort {
public:
    // `scaleFactor` is the desktop's pixels per point; X11 has one for the whole root.
    explicit XcbScreens(XcbConnection& connection, double scaleFactor = 1.0);

    [[nodiscard]] QList<Screen> screens() const override;
    [[nodiscard]] std::optional<Screen> mainScreen() const override;
    [[nodiscard]] QPointF mouseLocation() const override;

    // The monitors' root rectangles (pixels, top-left origin), the primary one marked.
    struct Monitor {
        QString name;
        QRect geometry;
        bool primary = false;
    };
    [[nodiscard]] QList<Monitor> monitors() const;
    // The rectangle whose bottom-left corner is the global origin.
    [[nodiscard]] QRect primaryGeometry() const;
    [[nodiscard]] double scaleFactor() const { return m_scaleFactor; }

private:
    [[nodiscard]] std::optional<QRect> workArea() const;

    XcbConnection& m_connection;
    double m_scaleFactor;
};
