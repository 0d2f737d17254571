// The tray icon in a real tray host (trayer, an XEmbed system tray) on the test display.
#include "XDriving.h"

#include "fakes/AppStateWithFakes.h"
#include "ui/shared/MenuShortcut.h"
#include "ui/tray/TrayMenu.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QRegularExpression>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <iostream>

namespace {

QString runTool(const QString& program, const QStringList& arguments)
{
    return QString::fromLocal8Bit(XDriving::run(program, arguments).output);
}

// The window Qt embeds into the tray host; it has no public handle.
QWidget* trayIconWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qstrcmp(widget->metaObject()->className(), "QSystemTrayIconSys") == 0)
            return widget;
    }
    return nullptr;
}

// True once the window sits inside another client's window and can be seen.
bool isEmbeddedAndViewable(WId window)
{
    const QString id = QStringLiteral("0x%1").arg(window, 0, 16);
    const QString info = runTool(QStringLiteral("xwininfo"), { QStringLiteral("-id"), id });
    if (!info.contains(QStringLiteral("Map State: IsViewable")))
        return false;
    const QString tree = runTool(QStringLiteral("xwininfo"), { QStringLiteral("-id"), id, QStringLiteral("-tree") });
    const QRegularExpressionMatch parent
        = QRegularExpression(QStringLiteral("Parent window id: (0x[0-9a-f]+)(.*)")).match(tree);
    return parent.hasMatch() && !parent.captured(2).contains(QStringLiteral("the root window"));
}

QStringList titles(const QMenu& menu)
{
    QStringList result;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator())
            result.append(MenuShortcut::title(*action));
    }
    return result;
}

class TrayHost {
public:
    TrayHost()
    {
        m_process.start(QStringLiteral("trayer"),
            { QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"), QStringLiteral("right"),
                QStringLiteral("--widthtype"), QStringLiteral("pixel"), QStringLiteral("--width"),
                QStringLiteral("120"), QStringLiteral("--height"), QStringLiteral("32") });
        m_started = m_process.waitForStarted(5000);
    }
    ~TrayHost()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000)) {
                m_process.kill();
                m_process.waitForFinished();
            }
        }
    }
    [[nodiscard]] bool started() const { return m_started; }
    [[nodiscard]] QString errors() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

private:
    QProcess m_process;
    bool m_started = false;
};

} // namespace

TEST(TrayIntegration, TheIconAppearsInATrayHostAndItsMenuOpens)
{
    TrayHost host;
    if (!host.started())
        GTEST_SKIP() << "trayer cannot run here, so there is no tray host to show the icon in";
    ASSERT_TRUE(QTest::qWaitFor([] { return QSystemTrayIcon::isSystemTrayAvailable(); }, 10000))
        << "trayer started but never took the tray selection: " << host.errors().toStdString();

    AppStateWithFakes fakes;
    AppState& state = fakes.state;
    AppSettings& settings = fakes.settings;

    QElapsedTimer sinceCreation;
    sinceCreation.start();
    TrayMenu tray(state);
    ASSERT_TRUE(tray.trayIcon()->isVisible());
    // Qt may replace the icon's window while the tray host embeds it, so it is looked up anew.
    QWidget* iconWindow = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            iconWindow = trayIconWindow();
            return iconWindow && isEmbeddedAndViewable(iconWindow->winId());
        },
        10000))
        << "the icon window is inside the tray host and viewable";
    std::cout << "tray icon embedded and viewable " << sinceCreation.elapsed() << " ms after creation\n";

    // Either button opens the menu.
    for (const char* button : { "3", "1" }) {
        SCOPED_TRACE(button);
        iconWindow = trayIconWindow();
        ASSERT_NE(iconWindow, nullptr);
        XDriving::xdotool(
            { QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(iconWindow->winId()),
                QStringLiteral("4"), QStringLiteral("4"), QStringLiteral("click"), QString::fromLatin1(button) });
        ASSERT_TRUE(QTest::qWaitFor([&] { return tray.menu()->isVisible(); }, 5000)) << "the menu opens";
        EXPECT_EQ(titles(*tray.menu()),
            QStringList({ "Reopen Trovix", "Capture Screen", "Capture Area", "Delayed Screenshot (3s)",
                "Scrolling Capture", "Recognize Text/QR", "more", "Launch at Startup", "Settings", "Quit" }));
        tray.menu()->hide();
        QTest::qWait(50);
    }

    settings.hideMenubarIcon.set(true);
    EXPECT_TRUE(QTest::qWaitFor(
        [] {
            const QWidget* window = trayIconWindow();
            return !window || !window->isVisible();
        },
        5000))
        << "hiding the icon takes it out of the tray";
}
