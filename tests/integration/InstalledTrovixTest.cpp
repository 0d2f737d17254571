// Trovix as a user gets it: installed with `cmake --install` into a folder of its own, the
// desktop's files in place, and the installed `trovix shot` run on a private X server
// whose root shows a known picture. The installed program finds its screenshot tool in
// libexec: nothing of the build folder is beside it.
#include "DesktopSession.h"
#include "PrivateXvfb.h"

#include "platform/x11/XcbConnection.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QSize s_rootSize(640, 400);

using EndToEnd::distinctPattern;

struct ProgramRun {
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

ProgramRun run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
    }
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
        process.readAllStandardError() };
}

class InstalledTrovix : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_prefix = new QTemporaryDir;
        const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
        ASSERT_FALSE(cmake.isEmpty());
        const ProgramRun install = run(cmake,
            { QStringLiteral("--install"), QStringLiteral(TROVIX_BINARY_DIR), QStringLiteral("--prefix"),
                s_prefix->path() },
            QProcessEnvironment::systemEnvironment());
        s_installed = install.exitCode == 0;
        EXPECT_TRUE(s_installed) << install.errors.toStdString();
    }
    static void TearDownTestSuite()
    {
        delete s_prefix;
        s_prefix = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_installed);
        ASSERT_TRUE(server.isRunning());
        environment.insert(QStringLiteral("DISPLAY"), server.display());
        // The server resets, dropping the root's picture, when its last client leaves; this
        // connection outlives every program the test runs.
        keepServer = std::make_unique<XcbConnection>(server.display().toLatin1().constData());
        const QString patternFile = files.filePath(QStringLiteral("pattern.png"));
        ASSERT_TRUE(pattern.save(patternFile));
        // display exits with 1 even when it has set the root's picture; what counts is that it ends.
        ASSERT_NE(run(QStringLiteral("display"), { QStringLiteral("-window"), QStringLiteral("root"), patternFile },
                      environment)
                      .exitCode,
            -1);
    }

    ProgramRun trovix(const QStringList& arguments) const
    {
        return run(s_prefix->filePath(QStringLiteral("bin/trovix")), arguments, environment);
    }

    static QTemporaryDir* s_prefix;
    static bool s_installed;
    PrivateXvfb server { s_rootSize };
    std::unique_ptr<XcbConnection> keepServer;
    QImage pattern = distinctPattern(s_rootSize);
    QTemporaryDir files;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
};

QTemporaryDir* InstalledTrovix::s_prefix = nullptr;
bool InstalledTrovix::s_installed = false;

} // namespace

TEST_F(InstalledTrovix, PutsEveryFileWhereTheDesktopLooks)
{
    const char* paths[] = {
        "bin/trovix",
        "libexec/trovix/trovix-screencapture",
        "share/applications/io.github.trovix.Trovix.desktop",
        "share/metainfo/io.github.trovix.Trovix.metainfo.xml",
        "share/dbus-1/services/io.github.trovix.Trovix.service",
        "share/icons/hicolor/scalable/apps/io.github.trovix.Trovix.svg",
        "share/icons/hicolor/48x48/apps/io.github.trovix.Trovix.png",
        "share/man/man1/trovix.1.gz",
        "share/bash-completion/completions/trovix",
    };
    for (const char* path : paths) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(QFile::exists(s_prefix->filePath(QString::fromLatin1(path))));
    }
    QFile service(s_prefix->filePath(QStringLiteral("share/dbus-1/services/io.github.trovix.Trovix.service")));
    ASSERT_TRUE(service.open(QIODevice::ReadOnly));
    EXPECT_TRUE(service.readAll().contains(QDir(s_prefix->path()).filePath(QStringLiteral("bin/trovix")).toUtf8()))
        << "the bus starts the installed program";
}

TEST_F(InstalledTrovix, ShotCapturesTheDesktopAndRegionsExactly)
{
    const QString whole = files.filePath(QStringLiteral("whole.png"));
    const ProgramRun wholeRun = trovix({ QStringLiteral("shot"), QStringLiteral("--output"), whole });
    ASSERT_EQ(wholeRun.exitCode, 0) << wholeRun.errors.toStdString();
    EXPECT_TRUE(QImage(whole).convertToFormat(QImage::Format_RGB32) == pattern) << "the file is the whole root";

    const QRect region(301, 77, 250, 123);
    const ProgramRun regionRun = trovix({ QStringLiteral("shot"), QStringLiteral("--region=301,77,250,123"),
        QStringLiteral("--output"), QStringLiteral("-") });
    ASSERT_EQ(regionRun.exitCode, 0) << regionRun.errors.toStdString();
    EXPECT_TRUE(QImage::fromData(regionRun.output, "PNG").convertToFormat(QImage::Format_RGB32) == pattern.copy(region))
        << "standard output carries exactly that part of the root";

    const ProgramRun screenRun = trovix({ QStringLiteral("shot"), QStringLiteral("--screen"), QStringLiteral("0") });
    ASSERT_EQ(screenRun.exitCode, 0) << screenRun.errors.toStdString();
    EXPECT_TRUE(QImage::fromData(screenRun.output, "PNG").convertToFormat(QImage::Format_RGB32) == pattern);
}

TEST_F(InstalledTrovix, ShotFailuresLeaveTheFileAndSayWhy)
{
    const QString kept = files.filePath(QStringLiteral("kept.png"));
    QFile file(kept);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("earlier picture");
    file.close();

    const ProgramRun outside = trovix({ QStringLiteral("shot"), QStringLiteral("--region"), QStringLiteral("600,0,41,10"),
        QStringLiteral("--output"), kept });
    EXPECT_EQ(outside.exitCode, 1);
    EXPECT_TRUE(outside.errors.contains("not inside the desktop")) << outside.errors.toStdString();

    const ProgramRun noScreen = trovix(
        { QStringLiteral("shot"), QStringLiteral("--screen"), QStringLiteral("3"), QStringLiteral("--output"), kept });
    EXPECT_EQ(noScreen.exitCode, 1);
    EXPECT_TRUE(noScreen.errors.contains("no screen 3")) << noScreen.errors.toStdString();

    const ProgramRun wrong = trovix({ QStringLiteral("shot"), QStringLiteral("--region"), QStringLiteral("1,2,3") });
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.errors.contains("Usage: trovix")) << "a wrong argument shows the usage";

    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("earlier picture"));
}
