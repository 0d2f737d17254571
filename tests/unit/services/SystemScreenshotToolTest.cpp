#include "services/SystemScreenshotTool.h"

#include "domain/PlatformError.h"
#include "fakes/FakeScreenCapturePermission.h"
#include "fakes/TaskRunner.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Code = ScreenshotError::Code;

// The whole argument list is checked where the screenshot service captures a window.
TEST(SystemScreenshotTool, WindowNumbersUseAllThirtyTwoBits)
{
    EXPECT_EQ(SystemScreenshotTool::argumentsForWindowCapture(4294967295u).last(), QStringLiteral("-l4294967295"));
}

// Runs a shell script in place of the tool. The script sees the tool's arguments; it writes
// the output file's path to "seen-path" so a test can check that file afterwards.
class SystemScreenshotToolRun : public testing::Test {
protected:
    void SetUp() override
    {
        ensureCoreApplication();
        ASSERT_TRUE(m_directory.isValid());
    }

    SystemScreenshotTool toolRunning(const QByteArray& body)
    {
        const QString path = m_directory.filePath(QStringLiteral("tool.sh"));
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(
            "#!/bin/sh\nfor last; do :; done\nprintf '%s' \"$last\" > '" + seenPathFile().toUtf8() + "'\n" + body);
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return SystemScreenshotTool(path, m_permission);
    }

    QString seenPathFile() const { return m_directory.filePath(QStringLiteral("seen-path")); }

    QString outputPathTheToolSaw() const
    {
        QFile file(seenPathFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    template <typename Error> Error failureOf(SystemScreenshotTool& tool)
    {
        try {
            runToCompletion(tool.run({ QStringLiteral("-x") }));
        } catch (const Error& error) {
            return error;
        }
        throw std::runtime_error("the run did not fail as expected");
    }

    QTemporaryDir m_directory;
    FakeScreenCapturePermission m_permission;
};

TEST_F(SystemScreenshotToolRun, ReturnsTheWrittenBytesAndRemovesTheFile)
{
    SystemScreenshotTool tool = toolRunning("printf 'PNGDATA %s' \"$1 $2\" > \"$last\"\n");
    const QByteArray bytes = runToCompletion(tool.run({ QStringLiteral("-x"), QStringLiteral("-R1,2,3,4") }));

    EXPECT_EQ(bytes, QByteArray("PNGDATA -x -R1,2,3,4"));
    const QString output = outputPathTheToolSaw();
    EXPECT_TRUE(output.startsWith(QDir::tempPath())) << output.toStdString();
    EXPECT_TRUE(output.endsWith(QStringLiteral(".png")));
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(SystemScreenshotToolRun, FailuresAreMappedFromStandardErrorAndLeaveNoFile)
{
    const struct {
        const char* name;
        QByteArray body;
        bool granted;
        Code expected;
    } cases[] = {
        { "permission wording", "echo partial > \"$last\"; echo 'Not Authorized' >&2; exit 1\n", true,
            Code::permissionDenied },
        { "permission in another case", "echo 'missing Permission' >&2; exit 1\n", true, Code::permissionDenied },
        { "screen recording wording", "echo 'needs Screen Recording access' >&2; exit 1\n", true,
            Code::permissionDenied },
        { "other failure", "echo partial > \"$last\"; echo 'window 5 is not shown' >&2; exit 3\n", true,
            Code::captureFailed },
        { "silent failure without access", "echo partial > \"$last\"; exit 1\n", false, Code::permissionDenied },
        { "silent failure with access", "exit 1\n", true, Code::captureFailed },
        { "invalid UTF-8 counts as no text", "printf '\\377\\376 permission' >&2; exit 1\n", true,
            Code::captureFailed },
        { "killed by a signal", "echo partial > \"$last\"; kill -9 $$\n", true, Code::captureFailed },
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        m_permission.granted = testCase.granted;
        SystemScreenshotTool tool = toolRunning(testCase.body);
        EXPECT_EQ(failureOf<ScreenshotError>(tool).code(), testCase.expected);
        const QString output = outputPathTheToolSaw();
        EXPECT_FALSE(output.isEmpty());
        EXPECT_FALSE(QFile::exists(output));
    }
}

TEST_F(SystemScreenshotToolRun, PlatformFailuresCarryTheSystemsWording)
{
    SystemScreenshotTool missing(m_directory.filePath(QStringLiteral("no-such-tool")), m_permission);
    EXPECT_FALSE(failureOf<PlatformError>(missing).description().isEmpty());

    SystemScreenshotTool writesNothing = toolRunning("exit 0\n");
    EXPECT_FALSE(failureOf<PlatformError>(writesNothing).description().isEmpty());
}

TEST_F(SystemScreenshotToolRun, AToolThatHangsIsStoppedAndItsFileRemoved)
{
    SystemScreenshotTool tool = toolRunning("echo partial > \"$last\"; exec sleep 30\n");
    tool.setTimeout(std::chrono::milliseconds(300));
    EXPECT_EQ(failureOf<ScreenshotError>(tool).code(), Code::captureFailed);
    EXPECT_FALSE(QFile::exists(outputPathTheToolSaw()));
}

} // namespace
