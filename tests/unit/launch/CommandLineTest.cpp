#include "launch/CommandLine.h"
#include "launch/ShotGeometry.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

using Kind = InstanceCommand::Kind;
using CommandLine::Request;

const CommandLine::Context s_context { QStringLiteral("/home/ola/Pictures"),
    [](const QString& path) { return path == QLatin1String("/home/ola/Pictures/README"); } };

Request command(Kind kind, QStringList files = {})
{
    return InstanceCommand { .kind = kind, .files = std::move(files) };
}

Request usageError()
{
    return CommandLine::UsageError {};
}

// Error texts are for people; the tables only check that an error is reported.
bool sameRequest(const Request& actual, const Request& expected)
{
    if (std::holds_alternative<CommandLine::UsageError>(expected))
        return std::holds_alternative<CommandLine::UsageError>(actual)
            && !std::get<CommandLine::UsageError>(actual).message.isEmpty();
    return actual == expected;
}

QStringList words(const char* text)
{
    return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

TEST(CommandLine, VerbsFilesShotOptionsAndMistakesAreToldApart)
{
    const auto shot
        = [](std::optional<int> screen, std::optional<QRect> region, std::optional<QString> output, bool clipboard) {
              return Request(ShotRequest { screen, region, output, clipboard });
          };
    const struct {
        const char* arguments;
        Request expected;
    } cases[] = {
        { "", command(Kind::show) },
        { "show", command(Kind::show) },
        { "capture screen", command(Kind::captureScreen) },
        { "capture area", command(Kind::captureArea) },
        { "capture window", command(Kind::captureWindow) },
        { "capture active-window", command(Kind::captureActiveWindow) },
        { "capture delayed", command(Kind::captureDelayed) },
        { "capture scrolling", command(Kind::captureScrolling) },
        { "capture add-area", command(Kind::addAreaCapture) },
        { "recognize", command(Kind::recognizeText) },
        { "settings", command(Kind::showSettings) },
        { "quit", command(Kind::quit) },
        { "--service", command(Kind::startInBackground) },
        { "open a.png ../b.jpg", command(Kind::open, { "/home/ola/Pictures/a.png", "/home/ola/b.jpg" }) },
        { "open -- -dash.png", command(Kind::open, { "/home/ola/Pictures/-dash.png" }) },
        { "shot.png", command(Kind::open, { "/home/ola/Pictures/shot.png" }) },
        { "/tmp/x", command(Kind::open, { "/tmp/x" }) },
        { "README", command(Kind::open, { "/home/ola/Pictures/README" }) },
        { "file:///tmp/a%20b.png", command(Kind::open, { "/tmp/a b.png" }) },
        { "--help", CommandLine::Help {} },
        { "capture area --help", CommandLine::Help {} },
        { "--version", CommandLine::Version {} },
        { "captur", usageError() },
        { "capture", usageError() },
        { "capture everything", usageError() },
        { "capture area now", usageError() },
        { "open", usageError() },
        { "open --force a.png", usageError() },
        { "--bogus", usageError() },
        { "--version extra", usageError() },
        { "open https://example.org/a.png", usageError() },
        { "shot", shot({}, {}, {}, false) },
        { "shot --output -", shot({}, {}, QStringLiteral("-"), false) },
        { "shot --output=out/a.png", shot({}, {}, QStringLiteral("/home/ola/Pictures/out/a.png"), false) },
        { "shot --region 10,20,300,40 --clipboard", shot({}, QRect(10, 20, 300, 40), {}, true) },
        { "shot --region=0,0,1,1", shot({}, QRect(0, 0, 1, 1), {}, false) },
        { "shot --screen 1 --output /tmp/s.png --clipboard", shot(1, {}, QStringLiteral("/tmp/s.png"), true) },
        { "shot --screen=0", shot(0, {}, {}, false) },
        { "shot --screen 1 --region 0,0,5,5", usageError() },
        { "shot --screen", usageError() },
        { "shot --screen -1", usageError() },
        { "shot --region 1,2,3", usageError() },
        { "shot --region 1,2,0,4", usageError() },
        { "shot --region -1,2,3,4", usageError() },
        { "shot --output", usageError() },
        { "shot --output=", usageError() },
        { "shot now", usageError() },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.arguments);
        EXPECT_TRUE(sameRequest(CommandLine::parse(words(testCase.arguments), s_context), testCase.expected));
    }
}

TEST(CommandLine, EveryInstanceCommandSurvivesTheTripThroughAnotherLaunch)
{
    // Action names double as desktop-file action ids.
    const QRegularExpression desktopActionId(QStringLiteral("^[A-Za-z0-9-]+$"));
    std::vector<InstanceCommand> commands;
    for (const QString& name : InstanceCommands::actionNames()) {
        EXPECT_TRUE(desktopActionId.match(name).hasMatch()) << name.toStdString();
        const std::optional<Kind> kind = InstanceCommands::fromActionName(name);
        ASSERT_TRUE(kind) << name.toStdString();
        EXPECT_EQ(InstanceCommands::actionName(*kind), name);
        commands.push_back({ .kind = *kind, .files = {} });
    }
    EXPECT_EQ(commands.size(), 11U);
    EXPECT_FALSE(InstanceCommands::fromActionName(QStringLiteral("open")));
    EXPECT_FALSE(InstanceCommands::actionName(Kind::open));
    commands.push_back({ .kind = Kind::startInBackground, .files = {} });
    commands.push_back({ .kind = Kind::open, .files = { "/tmp/--help", "/tmp/capture", "/tmp/ą b.png" } });
    for (const InstanceCommand& original : commands) {
        const QStringList arguments = InstanceCommands::toArguments(original);
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        EXPECT_EQ(CommandLine::parse(arguments, {}), Request(original));
    }
}

TEST(ShotGeometry, ScreensAndRegionsStayInsideTheDesktop)
{
    const QRect root(0, 0, 3200, 1200);
    const QList<QRect> monitors { QRect(0, 0, 1920, 1200), QRect(1920, 0, 1280, 1024) };
    const auto onScreen = [](int screen) { return ShotRequest { screen, {}, {}, false }; };
    const auto ofRegion = [](QRect region) { return ShotRequest { {}, region, {}, false }; };
    const struct {
        const char* name;
        ShotRequest request;
        std::optional<QRect> expected;
    } cases[] = {
        { "whole desktop", ShotRequest(), root },
        { "second screen", onScreen(1), monitors.at(1) },
        { "no third screen", onScreen(2), std::nullopt },
        { "region inside", ofRegion(QRect(3000, 1100, 200, 100)), QRect(3000, 1100, 200, 100) },
        { "region past the right edge", ofRegion(QRect(3100, 0, 101, 10)), std::nullopt },
        { "region below the desktop", ofRegion(QRect(0, 1200, 10, 10)), std::nullopt },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const auto result = ShotGeometry::rectangle(testCase.request, root, monitors);
        if (testCase.expected) {
            ASSERT_TRUE(std::holds_alternative<QRect>(result));
            EXPECT_EQ(std::get<QRect>(result), *testCase.expected);
        } else {
            ASSERT_TRUE(std::holds_alternative<ShotGeometry::Refusal>(result));
            EXPECT_FALSE(std::get<ShotGeometry::Refusal>(result).message.isEmpty());
        }
    }
}
