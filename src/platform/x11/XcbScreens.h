#pragma once

#include "ports/ScreensPort.h"

#include <functional>

class XcbConnection;

// Screens from the RandR monitors (the whole root when there are none), with their root
// rectangles converted to global points around the primary monitor, each at its own scale.
class XcbScreens : public ScreensPort {
public:
    // A monitor's pixels per point, given its name and root rectangle.
    using ScaleLookup = std::function<double(const QString& name, const QRect& rootGeometry)>;

    // Every monitor at `scaleFactor` pixels per point.
    explicit XcbScreens(XcbConnection& connection, double scaleFactor = 1.0);
    XcbScreens(XcbConnection& connection, ScaleLookup scales);

    [[nodiscard]] QList<Screen> screens() const override;
    [[nodiscard]] std::optional<Screen> mainScreen() const override;
    [[nodiscard]] QPointF mouseLocation() const override;

    // The monitors' root rectangles (pixels, top-left origin), the primary one marked.
    struct Monitor {
        QString name;
        QRect geometry;
        bool primary = false;
        double scale = 1.0;
    };
    [[nodiscard]] QList<Monitor> monitors() const;
    // The rectangle whose bottom-left corner is the global origin.
    [[nodiscard]] QRect primaryGeometry() const;

    // Root rectangles and points in global points, each on the monitor it overlaps most (a
    // window across two monitors takes the scale of the one holding most of it).
    class RootToGlobal {
    public:
        explicit RootToGlobal(QList<Monitor> monitors);
        [[nodiscard]] QRectF rect(const QRectF& root) const;
        [[nodiscard]] QPointF point(QPointF root) const;

    private:
        [[nodiscard]] const Monitor& monitorFor(const QRectF& root) const;

        QList<Monitor> m_monitors;
        Monitor m_primary;
    };
    // One reading of the monitors, for converting many rectangles.
    [[nodiscard]] RootToGlobal rootToGlobal() const;

private:
    [[nodiscard]] std::optional<QRect> workArea() const;

    XcbConnection& m_connection;
    ScaleLookup m_scales;
};
