// Global shortcuts through the real GlobalShortcuts portal frontend, whose backend here is
// tests/support/test_portal_backend.py: it binds what it is given and presses on request.
#include "WaylandDesktop.h"

#include "domain/HotkeyKeys.h"
#include "platform/portal/PortalGlobalShortcuts.h"

#include <QCoro/QCoroSignal>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>

using namespace WaylandDesktop;

namespace {

const QString backendService = QStringLiteral("org.freedesktop.impl.portal.desktop.trovixtest");
constexpr std::uint32_t ctrlAlt = HotkeyKeys::controlModifier | HotkeyKeys::optionModifier;

QDBusMessage backendCall(const QString& method)
{
    return QDBusMessage::createMethodCall(backendService, QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.trovix.TestPortal"), method);
}

// The shortcuts the desktop holds, id to trigger, and how often it was asked to bind.
std::pair<QMap<QString, QString>, uint> boundOnTheDesktop()
{
    const QDBusMessage reply = QDBusConnection::sessionBus().call(backendCall(QStringLiteral("Bound")));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
        return {};
    QMap<QString, QString> triggers;
    const QDBusArgument map = reply.arguments().at(0).value<QDBusArgument>();
    map >> triggers;
    return { triggers, reply.arguments().at(1).toUInt() };
}

bool press(const QString& shortcutId)
{
    QDBusMessage call = backendCall(QStringLiteral("Activate"));
    call << shortcutId;
    const QDBusReply<bool> reply = QDBusConnection::sessionBus().call(call);
    return reply.isValid() && reply.value();
}

class PortalShortcuts : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PortalGlobalShortcuts::isOffered()) << "runs in scripts/wayland-session.sh with the test backend";
    }
};

} // namespace

TEST_F(PortalShortcuts, bindsTheStoredShortcutsAndRunsTheActivatedAction)
{
    PortalGlobalShortcuts shortcuts;
    QList<HotkeyAction> ran;
    shortcuts.setCallbacks({ { HotkeyAction::captureScreen, [&] { ran.append(HotkeyAction::captureScreen); } },
        { HotkeyAction::recognizeText, [&] { ran.append(HotkeyAction::recognizeText); } },
        { HotkeyAction::captureArea, [&] { ran.append(HotkeyAction::captureArea); } } });

    shortcuts.registerHotkeys({ { HotkeyAction::captureScreen, { 23, ctrlAlt } },
        { HotkeyAction::recognizeText, { 31, ctrlAlt | HotkeyKeys::commandModifier } } });
    ASSERT_TRUE(
        waitUntil([&] { return boundOnTheDesktop().second == 1 && shortcuts.boundActions().size() == 2; }, 10s));
    const QMap<QString, QString> triggers = boundOnTheDesktop().first;
    EXPECT_EQ(triggers.value(QStringLiteral("captureScreenHotkey")).toStdString(), "CTRL+ALT+5");
    EXPECT_EQ(triggers.value(QStringLiteral("recognizeTextHotkey")).toStdString(), "CTRL+ALT+LOGO+o");

    ASSERT_TRUE(press(QStringLiteral("recognizeTextHotkey")));
    ASSERT_TRUE(waitUntil([&] { return !ran.isEmpty(); }, 5s));
    EXPECT_EQ(ran, QList<HotkeyAction> { HotkeyAction::recognizeText });

    // A change in the settings binds the new set in a new session; the old one is closed.
    ran.clear();
    shortcuts.registerHotkeys({ { HotkeyAction::captureArea, { 19, ctrlAlt } } });
    ASSERT_TRUE(waitUntil([&] { return boundOnTheDesktop().second == 2; }, 10s));
    ASSERT_TRUE(waitUntil([&] { return shortcuts.boundActions() == std::set { HotkeyAction::captureArea }; }, 10s));
    EXPECT_FALSE(press(QStringLiteral("captureScreenHotkey"))) << "the closed session's shortcut is gone";
    ASSERT_TRUE(press(QStringLiteral("captureAreaHotkey")));
    ASSERT_TRUE(waitUntil([&] { return !ran.isEmpty(); }, 5s));
    EXPECT_EQ(ran, QList<HotkeyAction> { HotkeyAction::captureArea });
}

// The whole way: the desktop presses Trovix's full-screen shortcut, Trovix captures through
// the Screenshot portal and saves the picture of the screen it is on, at that screen's scale.
TEST_F(PortalShortcuts, activatedShortcutCapturesTheScreenInTheRunningTrovix)
{
    Wallpapers wallpapers;
    ASSERT_TRUE(wallpapers.shown());
    QTemporaryDir config;
    QTemporaryDir saved;
    ASSERT_TRUE(QDir().mkpath(config.filePath(QStringLiteral("trovix"))));
    QFile settings(config.filePath(QStringLiteral("trovix/settings.json")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write(QJsonDocument(
        QJsonObject { { QStringLiteral("saveAfterScreenshot"), true },
            { QStringLiteral("screenshotsFolderPath"), saved.path() }, { QStringLiteral("showAfterScreenshot"), false },
            { QStringLiteral("splashWindowDisabled"), true } })
                       .toJson());
    settings.close();

    QProcess trovix;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    trovix.setProcessEnvironment(environment);
    trovix.setProcessChannelMode(QProcess::ForwardedChannels);
    trovix.start(QStringLiteral(TROVIX_BINARY_DIR "/src/trovix"), { QStringLiteral("show") });
    ASSERT_TRUE(
        waitUntil([] { return boundOnTheDesktop().first.contains(QStringLiteral("captureScreenHotkey")); }, 20s))
        << "Trovix bound no shortcuts";

    // Trovix counts the shortcut as bound once the desktop's answer has arrived, a moment after
    // the desktop bound it; a press before that reaches nothing, so it is repeated.
    QString file;
    auto lastPress = std::chrono::steady_clock::now() - 1h;
    EXPECT_TRUE(waitUntil(
        [&] {
            if (std::chrono::steady_clock::now() - lastPress > 3s && file.isEmpty()) {
                EXPECT_TRUE(press(QStringLiteral("captureScreenHotkey")));
                lastPress = std::chrono::steady_clock::now();
            }
            const QStringList pictures = QDir(saved.path()).entryList({ QStringLiteral("*.png") }, QDir::Files);
            file = pictures.isEmpty() ? QString() : saved.filePath(pictures.front());
            return !file.isEmpty() && !QImage(file).isNull();
        },
        20s))
        << "no capture was saved";
    trovix.terminate();
    trovix.waitForFinished(10000);
    ASSERT_FALSE(file.isEmpty());

    const QImage picture(file);
    if (picture.size() == secondPattern().size())
        EXPECT_EQ(difference(picture, secondPattern()).toStdString(), "");
    else
        EXPECT_EQ(difference(picture, firstPattern(), true).toStdString(), "");
}
