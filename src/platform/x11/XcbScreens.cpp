#include "platform/x11/XcbScreens.h"

#include "engine/ScreenCaptureGeometry.h"
#include "platform/x11/XcbConnection.h"

#include <xcb/randr.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// RandR 1.5 is the first version with monitors.
bool hasMonitors(const XcbConnection& connection)
{
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection.get(), &xcb_randr_id);
    if (!extension || !extension->present)
        return false;
    const auto version
        = connection.reply(xcb_randr_query_version_reply, xcb_randr_query_version(connection.get(), 1, 5));
    return version && (version->major_version > 1 || version->minor_version >= 5);
}

QString atomName(const XcbConnection& connection, xcb_atom_t atom)
{
    const auto answer = connection.reply(xcb_get_atom_name_reply, xcb_get_atom_name(connection.get(), atom));
    if (!answer)
        return {};
    return QString::fromLatin1(xcb_get_atom_name_name(answer.get()), xcb_get_atom_name_name_length(answer.get()));
}

// monitors() always marks exactly one monitor as primary.
qsizetype primaryIndex(const QList<XcbScreens::Monitor>& monitors)
{
    return std::find_if(monitors.cbegin(), monitors.cend(), [](const auto& monitor) { return monitor.primary; })
        - monitors.cbegin();
}

} // namespace

XcbScreens::XcbScreens(XcbConnection& connection, double scaleFactor)
    : XcbScreens(connection, [scaleFactor](const QString&, const QRect&) { return scaleFactor; })
{ }

XcbScreens::XcbScreens(XcbConnection& connection, ScaleLookup scales)
    : m_connection(connection)
    , m_scales(std::move(scales))
{ }

QList<XcbScreens::Monitor> XcbScreens::monitors() const
{
    QList<Monitor> result;
    if (hasMonitors(m_connection)) {
        const auto answer = m_connection.reply(
            xcb_randr_get_monitors_reply, xcb_randr_get_monitors(m_connection.get(), m_connection.root(), 1));
        if (answer) {
            for (auto it = xcb_randr_get_monitors_monitors_iterator(answer.get()); it.rem > 0;
                 xcb_randr_monitor_info_next(&it)) {
                const xcb_randr_monitor_info_t& info = *it.data;
                result.append({ atomName(m_connection, info.name), QRect(info.x, info.y, info.width, info.height),
                    info.primary != 0 });
            }
        }
    }
    if (result.isEmpty()) {
        const xcb_screen_t& screen = *m_connection.screen();
        result.append({ QStringLiteral("root"), QRect(0, 0, screen.width_in_pixels, screen.height_in_pixels), true });
    }
    if (std::none_of(result.cbegin(), result.cend(), [](const Monitor& monitor) { return monitor.primary; }))
        result.front().primary = true;
    for (Monitor& monitor : result) {
        const double scale = m_scales ? m_scales(monitor.name, monitor.geometry) : 1.0;
        monitor.scale = scale > 0 && std::isfinite(scale) ? scale : 1.0;
    }
    return result;
}

QRect XcbScreens::primaryGeometry() const
{
    const QList<Monitor> all = monitors();
    return all.at(primaryIndex(all)).geometry;
}

std::optional<QRect> XcbScreens::workArea() const
{
    XcbConnection& connection = m_connection;
    const xcb_window_t root = connection.root();
    const std::uint32_t desktop = connection.cardinal(root, connection.atom("_NET_CURRENT_DESKTOP")).value_or(0);
    const std::optional<QByteArray> areas
        = connection.property(root, connection.atom("_NET_WORKAREA"), XCB_ATOM_CARDINAL);
    const qsizetype offset = qsizetype(desktop) * 4 * qsizetype(sizeof(std::uint32_t));
    if (!areas || areas->size() < offset + 4 * qsizetype(sizeof(std::uint32_t)))
        return std::nullopt;
    std::uint32_t area[4];
    std::memcpy(area, areas->constData() + offset, sizeof(area));
    return QRect(int(area[0]), int(area[1]), int(area[2]), int(area[3]));
}

QList<Screen> XcbScreens::screens() const
{
    const QList<Monitor> all = monitors();
    const Monitor& primary = all.at(primaryIndex(all));
    const std::optional<QRect> available = workArea();
    QList<Screen> result;
    for (const Monitor& monitor : all) {
        // The work area spans all monitors on X11; each screen keeps its own share of it.
        QRect visible = available ? monitor.geometry.intersected(*available) : monitor.geometry;
        if (visible.isEmpty())
            visible = monitor.geometry;
        const auto global = [&](const QRect& root) {
            return ScreenCaptureGeometry::globalRectFromMonitorRoot(
                QRectF(root), monitor.geometry, monitor.scale, primary.geometry, primary.scale);
        };
        result.append(Screen {
            .name = monitor.name,
            .frame = global(monitor.geometry),
            .visibleFrame = global(visible),
            .scaleFactor = monitor.scale,
            .nativeGeometry = monitor.geometry,
        });
    }
    return result;
}

XcbScreens::RootToGlobal::RootToGlobal(QList<Monitor> monitors)
    : m_monitors(std::move(monitors))
    , m_primary(m_monitors.at(primaryIndex(m_monitors)))
{ }

const XcbScreens::Monitor& XcbScreens::RootToGlobal::monitorFor(const QRectF& root) const
{
    const Monitor* best = &m_primary;
    double bestArea = 0;
    for (const Monitor& monitor : m_monitors) {
        const QRectF overlap = QRectF(monitor.geometry).intersected(root);
        const double area = overlap.isEmpty() ? 0 : overlap.width() * overlap.height();
        if (area > bestArea) {
            best = &monitor;
            bestArea = area;
        }
    }
    return *best;
}

QRectF XcbScreens::RootToGlobal::rect(const QRectF& root) const
{
    const Monitor& monitor = monitorFor(root);
    return ScreenCaptureGeometry::globalRectFromMonitorRoot(
        root, monitor.geometry, monitor.scale, m_primary.geometry, m_primary.scale);
}

QPointF XcbScreens::RootToGlobal::point(QPointF root) const
{
    // A pixel-sized rectangle finds the monitor that holds the point.
    const QRectF pixel = rect(QRectF(root, QSizeF(1, 1)));
    return { pixel.left(), pixel.bottom() };
}

XcbScreens::RootToGlobal XcbScreens::rootToGlobal() const
{
    return RootToGlobal(monitors());
}

std::optional<Screen> XcbScreens::mainScreen() const
{
    const qsizetype index = primaryIndex(monitors());
    const QList<Screen> list = screens();
    if (index >= list.size())
        return std::nullopt;
    return list.at(index);
}

QPointF XcbScreens::mouseLocation() const
{
    const auto pointer
        = m_connection.reply(xcb_query_pointer_reply, xcb_query_pointer(m_connection.get(), m_connection.root()));
    if (!pointer)
        return {};
    return rootToGlobal().point(QPointF(pointer->root_x, pointer->root_y));
}
