#include "platform/wayland/WaylandOutputs.h"

#include "domain/PlatformError.h"

#include <wayland-client.h>
#include <xdg-output-unstable-v1-client-protocol.h>

#include <cmath>
#include <cstring>
#include <list>
#include <memory>

namespace {

struct Output {
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    QString name;
    QRect logical;
    QSize modePixels;
    bool swapsAxes = false;
    int integerScale = 1;
};

struct Registry {
    zxdg_output_manager_v1* manager = nullptr;
    std::list<Output> outputs;
};

void onGeometry(
    void* data, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t transform)
{
    // 90 and 270 degrees, flipped or not: the mode's width runs along the logical height.
    static_cast<Output*>(data)->swapsAxes = transform % 2 == 1;
}

void onMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t)
{
    if (flags & WL_OUTPUT_MODE_CURRENT)
        static_cast<Output*>(data)->modePixels = QSize(width, height);
}

void onDone(void*, wl_output*)
{ }

void onScale(void* data, wl_output*, int32_t factor)
{
    static_cast<Output*>(data)->integerScale = factor;
}

constexpr wl_output_listener outputListener { onGeometry, onMode, onDone, onScale, nullptr, nullptr };

void onLogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y)
{
    static_cast<Output*>(data)->logical.moveTopLeft(QPoint(x, y));
}

void onLogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height)
{
    static_cast<Output*>(data)->logical.setSize(QSize(width, height));
}

void onXdgDone(void*, zxdg_output_v1*)
{ }

void onName(void* data, zxdg_output_v1*, const char* name)
{
    static_cast<Output*>(data)->name = QString::fromUtf8(name);
}

void onDescription(void*, zxdg_output_v1*, const char*)
{ }

constexpr zxdg_output_v1_listener xdgOutputListener { onLogicalPosition, onLogicalSize, onXdgDone, onName,
    onDescription };

void onGlobal(void* data, wl_registry* registry, uint32_t id, const char* interface, uint32_t version)
{
    auto* state = static_cast<Registry*>(data);
    if (std::strcmp(interface, wl_output_interface.name) == 0) {
        Output& output = state->outputs.emplace_back();
        output.output = static_cast<wl_output*>(
            wl_registry_bind(registry, id, &wl_output_interface, std::min<uint32_t>(version, 2)));
        wl_output_add_listener(output.output, &outputListener, &output);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        state->manager = static_cast<zxdg_output_manager_v1*>(
            wl_registry_bind(registry, id, &zxdg_output_manager_v1_interface, std::min<uint32_t>(version, 3)));
    }
}

void onGlobalRemove(void*, wl_registry*, uint32_t)
{ }

constexpr wl_registry_listener registryListener { onGlobal, onGlobalRemove };

double scaleOf(const Output& output)
{
    const int pixelsAcross = output.swapsAxes ? output.modePixels.height() : output.modePixels.width();
    // Fractional scales show only in the ratio of the mode to the logical size.
    if (pixelsAcross > 0 && output.logical.width() > 0)
        return std::round(double(pixelsAcross) / output.logical.width() * 1000.0) / 1000.0;
    return output.integerScale > 0 ? output.integerScale : 1.0;
}

struct DisplayCloser {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};

} // namespace

namespace WaylandOutputs {

bool isWaylandSession()
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QList<DesktopOutput> read()
{
    const std::unique_ptr<wl_display, DisplayCloser> display(wl_display_connect(nullptr));
    if (!display)
        throw PlatformError(QStringLiteral("cannot connect to the Wayland compositor"));
    Registry state;
    wl_registry* registry = wl_display_get_registry(display.get());
    wl_registry_add_listener(registry, &registryListener, &state);
    if (wl_display_roundtrip(display.get()) < 0)
        throw PlatformError(QStringLiteral("the Wayland compositor did not answer"));
    if (!state.manager)
        throw PlatformError(QStringLiteral("the Wayland compositor does not describe its outputs (xdg-output)"));
    for (Output& output : state.outputs) {
        output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(state.manager, output.output);
        zxdg_output_v1_add_listener(output.xdgOutput, &xdgOutputListener, &output);
    }
    if (wl_display_roundtrip(display.get()) < 0)
        throw PlatformError(QStringLiteral("the Wayland compositor did not answer"));

    QList<DesktopOutput> outputs;
    for (Output& output : state.outputs) {
        if (!output.logical.isEmpty())
            outputs.append({ output.name, output.logical, scaleOf(output) });
        zxdg_output_v1_destroy(output.xdgOutput);
        wl_output_destroy(output.output);
    }
    zxdg_output_manager_v1_destroy(state.manager);
    wl_registry_destroy(registry);
    return outputs;
}

} // namespace WaylandOutputs
