#include "domain/ScreenshotError.h"
#include "platform/portal/PortalRequest.h"
#include "platform/portal/PortalScreenFreezer.h"
#include "platform/portal/PortalScreenshot.h"
#include "platform/portal/PortalShortcutTrigger.h"
#include "platform/portal/PortalWindowCapture.h"

#include "fakes/TaskRunner.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PortalRequest, answersOnThePathMadeOfTheSendersNameAndTheToken)
{
    EXPECT_EQ(PortalRequest::requestPath(QStringLiteral(":1.42"), QStringLiteral("trovix7_1")).toStdString(),
        "/org/freedesktop/portal/desktop/request/1_42/trovix7_1");
}

TEST(PortalScreenshot, removesOnlyFilesInTemporaryFolders)
{
    QTemporaryDir kept(QStringLiteral(TROVIX_BINARY_DIR "/trovix-test-XXXXXX"));
    ASSERT_TRUE(kept.isValid());
    struct Case {
        QString path;
        bool temporary;
    };
    const Case cases[] = {
        { QStringLiteral("/tmp/out.png"), true },
        { QDir::tempPath() + QStringLiteral("/sub/../out.png"), true },
        { QStringLiteral("/var/tmp/out.png"), true },
        { kept.filePath(QStringLiteral("Screenshot.png")), false },
        { QStringLiteral("/tmpfoo/out.png"), false },
        { QStringLiteral("relative.png"), false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(PortalScreenshot::isTemporaryFile(c.path), c.temporary);
    }
}

TEST(PortalScreenFreezer, findsTheOutputByNameElseByItsPlace)
{
    const QList<DesktopOutput> outputs { { QStringLiteral("DP-1"), QRect(0, 0, 1920, 1080), 1.0 },
        { QStringLiteral("eDP-1"), QRect(1920, 0, 1280, 800), 2.0 } };
    const auto nameOf = [&](const QString& name, QRect root) {
        const std::optional<DesktopOutput> output
            = PortalScreenFreezer::outputFor(Screen { name, {}, {}, 1.0, root }, outputs);
        return output ? output->name.toStdString() : std::string("none");
    };
    EXPECT_EQ(nameOf(QStringLiteral("eDP-1"), QRect(0, 0, 1, 1)), "eDP-1");
    EXPECT_EQ(nameOf(QStringLiteral("XWAYLAND1"), QRect(1920, 0, 1280, 800)), "eDP-1");
    EXPECT_EQ(nameOf(QStringLiteral("XWAYLAND0"), QRect(0, 0, 1920, 1000)), "none");
}

// Only a desktop whose dialog can pick a window gets asked; elsewhere the portal would
// picture the whole desktop and pass it off as the window.
TEST(PortalWindowCapture, asksOnlyDesktopsWithAWindowPicker)
{
    const std::pair<const char*, bool> desktops[] = { { "GNOME", true }, { "ubuntu:GNOME", true }, { "KDE", true },
        { "sway", false }, { "", false }, { "GNOME-Flashback-X", false } };
    for (const auto& [desktop, picker] : desktops) {
        SCOPED_TRACE(desktop);
        EXPECT_EQ(PortalWindowCapture::offersWindowPicker(QString::fromUtf8(desktop)), picker);
    }

    PortalScreenshot screenshots(QDBusConnection(QStringLiteral("no bus")));
    PortalWindowCapture capture(screenshots, QStringLiteral("sway"), [] { return QList<DesktopOutput>(); });
    try {
        runToCompletion(capture.captureChosenWindow());
        ADD_FAILURE() << "a picture without a picker";
    } catch (const ScreenshotError&) {
        ADD_FAILURE() << "a capture error instead of the reason";
    } catch (const TrovixError& error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("sway offers none")));
    }
}

TEST(PortalShortcutTrigger, spellsStoredShortcutsAsPreferredTriggers)
{
    const struct {
        HotkeyShortcut shortcut;
        const char* trigger;
    } cases[] = {
        { { 23, 0x1800 }, "CTRL+ALT+5" },
        { { 31, 0x1900 }, "CTRL+ALT+LOGO+o" },
        { { 36, 0x100 }, "LOGO+Return" },
        { { 43, 0x1200 }, "CTRL+SHIFT+comma" },
        { { 49, 0x800 }, "ALT+space" },
        { { 50, 0x100 }, "" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.trigger);
        EXPECT_EQ(PortalShortcutTrigger::text(c.shortcut).toStdString(), c.trigger);
    }
    for (HotkeyAction action : HotkeyActions::allCases)
        EXPECT_EQ(PortalShortcutTrigger::actionFor(PortalShortcutTrigger::id(action)), action);
    EXPECT_EQ(PortalShortcutTrigger::actionFor(QStringLiteral("unknownHotkey")), std::nullopt);
}
