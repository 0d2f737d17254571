#include "FuzzTargets.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <ostream>
#include <string>

namespace FuzzTargets {

// Names the target in test output instead of dumping its bytes.
void PrintTo(const Target& target, std::ostream* out)
{
    *out << target.name;
}

} // namespace FuzzTargets

namespace {

// Every seed and every input that ever crashed a target goes through that target again: a
// crash or a broken property aborts the test program like it aborted the fuzzer.
class FuzzReplayTest : public testing::TestWithParam<FuzzTargets::Target> {
protected:
    [[nodiscard]] static QString folder(const char* kind)
    {
        return QStringLiteral(TROVIX_SOURCE_DIR "/fuzz/%1/").arg(QLatin1StringView(kind))
            + QString::fromUtf8(GetParam().name.data(), static_cast<qsizetype>(GetParam().name.size()));
    }

    // How many files the folder held; a missing folder holds none.
    static int replayFolder(const QString& path)
    {
        const QFileInfoList files = QDir(path).entryInfoList(QDir::Files, QDir::Name);
        for (const QFileInfo& file : files) {
            SCOPED_TRACE(file.filePath().toStdString());
            QFile input(file.filePath());
            EXPECT_TRUE(input.open(QIODevice::ReadOnly));
            const QByteArray bytes = input.readAll();
            GetParam().entry(
                reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
        }
        return static_cast<int>(files.size());
    }
};

TEST_P(FuzzReplayTest, SeedsAndPastCrashesRunCleanly)
{
    EXPECT_GT(replayFolder(folder("corpus")), 0) << "every target starts from seeds kept in the repository";
    replayFolder(folder("crashes"));
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplayTest, testing::ValuesIn(FuzzTargets::all),
    [](const testing::TestParamInfo<FuzzTargets::Target>& info) { return std::string(info.param.name); });

} // namespace
