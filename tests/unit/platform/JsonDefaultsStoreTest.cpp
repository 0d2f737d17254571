#include "platform/qt/JsonDefaultsStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Value = DefaultsStore::Value;

// Collects what the store reports, so that tests can count the reports.
class SettingsWarnings {
public:
    SettingsWarnings() { m_previous = qInstallMessageHandler(&SettingsWarnings::handle); }
    ~SettingsWarnings() { qInstallMessageHandler(m_previous); }
    SettingsWarnings(const SettingsWarnings&) = delete;
    SettingsWarnings& operator=(const SettingsWarnings&) = delete;

    [[nodiscard]] const QStringList& messages() const { return s_messages; }
    void clear() { s_messages.clear(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtWarningMsg && qstrcmp(context.category, "trovix.settings") == 0)
            s_messages.append(message);
    }

    QtMessageHandler m_previous = nullptr;
    static inline QStringList s_messages;
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class JsonDefaultsStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_directory.isValid());
        m_warnings.clear();
    }

    [[nodiscard]] QString path() const { return m_directory.filePath(QStringLiteral("trovix/settings.json")); }

    QTemporaryDir m_directory;
    SettingsWarnings m_warnings;
};

TEST_F(JsonDefaultsStoreTest, ValuesKeepTheirTypesAcrossAReopen)
{
    {
        JsonDefaultsStore store(path());
        EXPECT_FALSE(QFile::exists(path())); // nothing is created by reading
        store.write({ { QStringLiteral("flag"), Value(true) }, { QStringLiteral("one"), Value(1.0) },
            { QStringLiteral("speed"), Value(0.65) }, { QStringLiteral("name"), Value(QStringLiteral("Zażółć ⌃⌥")) },
            { QStringLiteral("cleared"), Value(QString()) } });
    }
    JsonDefaultsStore reopened(path());
    EXPECT_EQ(reopened.value(QStringLiteral("flag")), Value(true));
    EXPECT_EQ(reopened.value(QStringLiteral("one")), Value(1.0));
    EXPECT_EQ(reopened.value(QStringLiteral("speed")), Value(0.65));
    EXPECT_EQ(reopened.value(QStringLiteral("name")), Value(QStringLiteral("Zażółć ⌃⌥")));
    EXPECT_EQ(reopened.value(QStringLiteral("cleared")), Value(QString()));
    EXPECT_EQ(reopened.value(QStringLiteral("missing")), std::nullopt);

    const QJsonObject onDisk = QJsonDocument::fromJson(contents(path())).object();
    EXPECT_TRUE(onDisk.value(QStringLiteral("flag")).isBool());
    EXPECT_TRUE(onDisk.value(QStringLiteral("one")).isDouble());
    EXPECT_TRUE(onDisk.value(QStringLiteral("cleared")).isString());
    EXPECT_TRUE(m_warnings.messages().isEmpty());
}

TEST_F(JsonDefaultsStoreTest, WriteRemovesNamedKeysAndKeepsUnknownOnes)
{
    writeFile(path(), R"({"future": [1, 2], "keep": "x", "gone": true})");
    JsonDefaultsStore store(path());
    EXPECT_EQ(store.value(QStringLiteral("future")), std::nullopt); // no type of ours
    store.write({ { QStringLiteral("gone"), std::nullopt }, { QStringLiteral("new"), Value(false) } });

    const QJsonObject onDisk = QJsonDocument::fromJson(contents(path())).object();
    EXPECT_EQ(onDisk.value(QStringLiteral("future")).toArray().size(), 2);
    EXPECT_EQ(onDisk.value(QStringLiteral("keep")).toString(), QStringLiteral("x"));
    EXPECT_FALSE(onDisk.contains(QStringLiteral("gone")));
    EXPECT_TRUE(onDisk.value(QStringLiteral("new")).isBool());
}

// A rename gives the path a new inode; writing in place would keep the old one
// and could leave half a file behind.
TEST_F(JsonDefaultsStoreTest, WritesReplaceTheFileWholeWithoutLeftovers)
{
    writeFile(path(), R"({"keep": "x"})");
    struct stat before { };
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &before), 0);

    JsonDefaultsStore store(path());
    store.write({ { QStringLiteral("flag"), Value(true) } });

    struct stat after { };
    ASSERT_EQ(::stat(QFile::encodeName(path()).constData(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino);
    EXPECT_EQ(QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
        QStringList { QStringLiteral("settings.json") });
}

TEST_F(JsonDefaultsStoreTest, DamagedFileIsKeptAsideReportedOnceAndNeverOverwritten)
{
    const QByteArray damaged[] = { "{\"launchAtStartup\": tru", "[true, false]", "\"text\"", "", "\xff\xfe{}" };
    for (const QByteArray& bytes : damaged) {
        SCOPED_TRACE(bytes.toStdString());
        QDir(m_directory.path()).removeRecursively();
        m_warnings.clear();
        writeFile(path(), bytes);

        JsonDefaultsStore store(path());
        EXPECT_EQ(store.value(QStringLiteral("launchAtStartup")), std::nullopt);
        ASSERT_FALSE(store.setAsidePath().isEmpty());
        EXPECT_TRUE(store.setAsidePath().startsWith(path() + QStringLiteral(".corrupt-")));
        EXPECT_EQ(contents(store.setAsidePath()), bytes);
        EXPECT_FALSE(QFile::exists(path()));

        store.write({ { QStringLiteral("launchAtStartup"), Value(true) } });
        store.write({ { QStringLiteral("launchAtStartup"), Value(false) } });
        EXPECT_EQ(contents(store.setAsidePath()), bytes);
        EXPECT_TRUE(QJsonDocument::fromJson(contents(path())).isObject());
        ASSERT_EQ(m_warnings.messages().size(), 1);
        EXPECT_TRUE(m_warnings.messages().front().contains(store.setAsidePath()));
    }
}

TEST_F(JsonDefaultsStoreTest, EachDamagedFileGetsItsOwnAsideName)
{
    writeFile(path(), "{");
    const QString first = JsonDefaultsStore(path()).setAsidePath();
    writeFile(path(), "}");
    const QString second = JsonDefaultsStore(path()).setAsidePath();
    EXPECT_NE(first, second);
    EXPECT_EQ(contents(first), "{");
    EXPECT_EQ(contents(second), "}");
}

TEST_F(JsonDefaultsStoreTest, FileThatCannotBeMovedAsideIsLeftAlone)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may rename in a read-only folder";
    writeFile(path(), "{ damaged");
    const QString folder = QFileInfo(path()).absolutePath();
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

    JsonDefaultsStore store(path());
    store.write({ { QStringLiteral("flag"), Value(true) } });
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_EQ(contents(path()), "{ damaged");
    EXPECT_EQ(store.value(QStringLiteral("flag")), Value(true));
    EXPECT_EQ(m_warnings.messages().size(), 1);
}

TEST_F(JsonDefaultsStoreTest, UnwritableLocationKeepsValuesInMemoryAndReportsOnce)
{
    writeFile(m_directory.filePath(QStringLiteral("trovix")), "a file where the folder should be");
    JsonDefaultsStore store(path());
    store.write({ { QStringLiteral("flag"), Value(true) } });
    store.write({ { QStringLiteral("flag"), Value(false) } });
    EXPECT_EQ(store.value(QStringLiteral("flag")), Value(false));
    EXPECT_EQ(m_warnings.messages().size(), 1);
}

TEST(JsonDefaultsStorePath, FollowsXdgConfigHome)
{
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/tmp/trovix-config-test");
    EXPECT_EQ(JsonDefaultsStore::standardFilePath(), QStringLiteral("/tmp/trovix-config-test/trovix/settings.json"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(
        JsonDefaultsStore::standardFilePath(), QDir::homePath() + QStringLiteral("/.config/trovix/settings.json"));
    if (!saved.isNull())
        qputenv("XDG_CONFIG_HOME", saved);
}

} // namespace
