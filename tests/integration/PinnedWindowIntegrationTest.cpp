// Pinned windows under a real window manager (Openbox on the test X server): a window the
// window manager closes or another client destroys is let go of and freed.
#include "XDriving.h"

#include "platform/x11/XcbDestroyedWindowWatch.h"
#include "ui/pinned/PinnedImageWindowController.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// The root window names the window manager's check window; a window manager that has exited
// can leave that name behind, so the check window itself must still exist.
bool windowManagerRuns()
{
    const QString check = QString::fromLatin1(
        XDriving::run(QStringLiteral("xprop"), { QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK") })
            .output);
    const qsizetype at = check.indexOf(QStringLiteral("# "));
    if (at < 0)
        return false;
    const QString id = check.mid(at + 2).trimmed();
    return XDriving::run(
        QStringLiteral("xprop"), { QStringLiteral("-id"), id, QStringLiteral("_NET_SUPPORTING_WM_CHECK") })
        .succeeded;
}

bool isManaged(WId window)
{
    return XDriving::run(
        QStringLiteral("xprop"), { QStringLiteral("-id"), QString::number(window), QStringLiteral("WM_STATE") })
        .output.contains("Normal");
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// What a task bar's close button does: ask the window manager, which then sends the window
// WM_DELETE_WINDOW.
void askWindowManagerToClose(WId window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr);
    xcb_connection_t* connection = x11->connection();
    xcb_client_message_event_t event {};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = xcb_window_t(window);
    event.type = atom(connection, "_NET_CLOSE_WINDOW");
    event.data.data32[0] = XCB_CURRENT_TIME;
    event.data.data32[1] = 2; // a pager or task bar asks
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

// Openbox on the test display for these tests, unless a window manager already runs there.
// Started once: a window manager started again at once on the same display may miss windows.
class PinnedWindowIntegration : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (windowManagerRuns())
            return;
        s_windowManager = new QProcess;
        s_windowManager->start(QStringLiteral("openbox"), { QStringLiteral("--sm-disable") });
        if (!XDriving::waitUntil(windowManagerRuns, 20000))
            return;
        // Openbox names itself before it takes over mapping; a window mapped in between stays
        // unmanaged for good. A window it has managed shows that it is ready.
        QWidget probe;
        probe.resize(100, 100);
        XDriving::waitUntil(
            [&probe] {
                probe.hide();
                probe.show();
                return XDriving::waitUntil([&probe] { return isManaged(probe.winId()); }, 1000);
            },
            20000);
    }
    static void TearDownTestSuite()
    {
        if (!s_windowManager)
            return;
        s_windowManager->terminate();
        if (!s_windowManager->waitForFinished(5000))
            s_windowManager->kill();
        s_windowManager->waitForFinished(5000);
        delete s_windowManager;
        s_windowManager = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(windowManagerRuns()) << "openbox did not start"; }

    static Image picture()
    {
        QImage pixels(300, 200, QImage::Format_ARGB32_Premultiplied);
        pixels.fill(QColor(30, 120, 200));
        return Image(pixels);
    }

    // Until the condition holds, with windows deleted later being deleted as they would be
    // in the application's event loop.
    static bool settlesTo(const std::function<bool()>& condition)
    {
        return XDriving::waitUntil([&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return condition();
        });
    }

    PinnedImageWindowController controller;

private:
    static inline QProcess* s_windowManager = nullptr;
};

} // namespace

// Closed through the window manager (WM_DELETE_WINDOW) or destroyed by another client, as
// `xdotool windowclose` does: either way the window is let go of and freed, the others stay.
TEST_F(PinnedWindowIntegration, AWindowClosedOrDestroyedFromOutsideIsDroppedAndFreed)
{
    XcbDestroyedWindowWatch watch;
    for (int i = 0; i < 3; ++i)
        controller.pin(picture());
    QPointer<QWidget> closing = controller.windows()[0].get();
    QPointer<QWidget> destroyed = controller.windows()[1].get();
    const QWidget* staying = controller.windows()[2].get();
    for (const QWidget* window : { closing.data(), destroyed.data() }) {
        const WId id = window->winId();
        ASSERT_TRUE(XDriving::waitUntil([&] { return isManaged(id); }, 10000)) << "openbox manages the window";
    }

    askWindowManagerToClose(closing->winId());
    EXPECT_TRUE(settlesTo([&] { return closing.isNull(); })) << "the closed window was deleted";
    ASSERT_TRUE(XDriving::xdotool({ QStringLiteral("windowclose"), QString::number(destroyed->winId()) }));
    EXPECT_TRUE(settlesTo([&] { return destroyed.isNull(); })) << "the destroyed window was deleted";
    ASSERT_EQ(controller.windows().size(), 1u);
    EXPECT_EQ(controller.windows().front().get(), staying);
    EXPECT_TRUE(staying->isVisible());
}
