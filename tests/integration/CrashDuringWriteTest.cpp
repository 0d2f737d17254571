#include "support/CrashWriterContent.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include <csignal>

namespace {

constexpr int killsPerFile = 200;

struct Case {
    const char* mode;
    const char* fileName;
    QByteArray versions[2];
};

QStringList writerArguments(const Case& testCase, const QString& folder, const QString& path)
{
    QStringList arguments { QString::fromLatin1(testCase.mode), path };
    if (QLatin1StringView(testCase.mode) != QLatin1StringView("export"))
        return arguments;
    for (int version = 0; version < 2; ++version) {
        const QString source = QDir(folder).filePath(QStringLiteral("version-%1.png").arg(version));
        QFile file(source);
        if (!file.exists() && file.open(QIODevice::WriteOnly))
            file.write(testCase.versions[version]);
        arguments.append(source);
    }
    return arguments;
}

// Kills the writer at random moments and checks the file after each kill. Returns how many
// kills landed in the middle of a write.
int killRepeatedly(const Case& testCase, const QString& folder, std::mt19937& random)
{
    const QString path = QDir(folder).filePath(QString::fromLatin1(testCase.fileName));
    const QStringList arguments = writerArguments(testCase, folder, path);
    std::uniform_int_distribution<int> delay(0, 40);
    int interruptedWrites = 0;
    for (int kill = 0; kill < killsPerFile; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(TROVIX_BINARY_DIR "/tests/support/trovix-crash-writer"), arguments);
        // The first complete version is on disk once the second write begins.
        QByteArray said;
        while (said.count("writing") < 2 && writer.waitForReadyRead(20000))
            said += writer.readAllStandardOutput();
        std::this_thread::sleep_for(std::chrono::milliseconds(delay(random)));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        writer.waitForFinished(10000);
        if (writer.exitStatus() != QProcess::CrashExit) {
            ADD_FAILURE() << "the writer ended by itself: " << writer.readAllStandardError().toStdString();
            return interruptedWrites;
        }
        said += writer.readAllStandardOutput();
        if (said.trimmed().endsWith("writing"))
            ++interruptedWrites;

        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "kill " << kill;
        const QByteArray onDisk = file.readAll();
        if (onDisk != testCase.versions[0] && onDisk != testCase.versions[1]) {
            ADD_FAILURE() << "kill " << kill << " left a file of " << onDisk.size() << " bytes that is neither version";
            return interruptedWrites;
        }
    }
    return interruptedWrites;
}

} // namespace

// SIGKILL gives the writer no chance to clean up: only writing to a temporary file and
// renaming it keeps the user's file whole.
TEST(CrashDuringWrite, TheFileIsAlwaysTheCompletePreviousOrNewVersion)
{
    const unsigned seed = std::random_device {}();
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    std::mt19937 random(seed);
    const Case cases[] = {
        { "settings", "settings.json",
            { CrashWriterContent::settingsJson(0), CrashWriterContent::settingsJson(1) } },
        { "export", "picture.png", { CrashWriterContent::pictureBytes(0), CrashWriterContent::pictureBytes(1) } },
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.mode);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        const int interrupted = killRepeatedly(testCase, folder.path(), random);
        // Kills that all fell between two writes would prove nothing.
        EXPECT_GT(interrupted, 0);
        std::printf("%s: %d of %d kills interrupted a write\n", testCase.mode, interrupted, killsPerFile);
    }
}
