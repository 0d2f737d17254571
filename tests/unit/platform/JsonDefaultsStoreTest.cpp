#include "platform/qt/JsonDefaultsStore.h"
#include "FileHelpers.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Value = DefaultsStore::Value;

// The store's warnings, so that tests can count its reports.
QStringList s_warnings;

void collectWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && qstrcmp(context.category, "trovix.settings") == 0)
        s_warnings.append(message);
}

class JsonDefaultsStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_directory.isValid());
        s_warnings.clear();
        m_previousHandler = qInstallMessageHandler(&collectWarning);
    }
    void TearDown() override { qInstallMessageHandler(m_previousHandler); }

    [[nodiscard]] QString path() const { return m_directory.filePath(QStringLiteral("trovix/settings.json")); }

    QTemporaryDir m_directory;
    QtMessageHandler m_previousHandler = nullptr;
};

TEST_F(JsonDefaultsStoreTest, ValuesKeepTheirTypesAcrossAReopenAndUnknownKeysSurviveAWrite)
{
    const std::vector<DefaultsStore::Entry> values
        = { { QStringLiteral("flag"), Value(true) }, { QStringLiteral("one"), Value(1.0) },
              { QStringLiteral("speed"), Value(0.65) }, { QStringLiteral("name"), Value(QStringLiteral("Zażółć ⌃⌥")) },
              { QStringLiteral("cleared"), Value(QString()) } };
    {
        JsonDefaultsStore store(path());
        EXPECT_FALSE(QFile::exists(path())); // nothing is created by reading
        store.write(values);
    }
    JsonDefaultsStore reopened(path());
    for (const DefaultsStore::Entry& entry : values)
        EXPECT_EQ(reopened.value(entry.key), entry.value) << entry.key.toStdString();
    EXPECT_EQ(reopened.value(QStringLiteral("missing")), std::nullopt);
    EXPECT_TRUE(s_warnings.isEmpty());

    // A write replaces the file whole, removing the keys it names and keeping the others.
    ASSERT_TRUE(writeFile(path(), R"({"future": [1, 2], "keep": "x", "gone": true})"));
    JsonDefaultsStore store(path());
    EXPECT_EQ(store.value(QStringLiteral("future")), std::nullopt); // no type of ours
    store.write({ { QStringLiteral("gone"), std::nullopt }, { QStringLiteral("new"), Value(false) } });

    EXPECT_EQ(QDir(QFileInfo(path()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
        QStringList { QStringLiteral("settings.json") });
    const QJsonObject onDisk = QJsonDocument::fromJson(contents(path())).object();
    EXPECT_EQ(onDisk.value(QStringLiteral("future")).toArray().size(), 2);
    EXPECT_EQ(onDisk.value(QStringLiteral("keep")).toString(), QStringLiteral("x"));
    EXPECT_FALSE(onDisk.contains(QStringLiteral("gone")));
    EXPECT_TRUE(onDisk.value(QStringLiteral("new")).isBool());
}

// Each damaged file is moved to a name of its own, so earlier ones survive.
TEST_F(JsonDefaultsStoreTest, DamagedFileIsKeptAsideReportedOnceAndNeverOverwritten)
{
    const QByteArray damaged[] = { "{\"launchAtStartup\": tru", "[true, false]", "\"text\"", "", "\xff\xfe{}" };
    QMap<QString, QByteArray> setAside;
    for (const QByteArray& bytes : damaged) {
        SCOPED_TRACE(bytes.toStdString());
        s_warnings.clear();
        ASSERT_TRUE(writeFile(path(), bytes));

        JsonDefaultsStore store(path());
        EXPECT_EQ(store.value(QStringLiteral("launchAtStartup")), std::nullopt);
        EXPECT_TRUE(store.setAsidePath().startsWith(path() + QStringLiteral(".corrupt-")));
        EXPECT_FALSE(QFile::exists(path()));
        store.write({ { QStringLiteral("launchAtStartup"), Value(true) } });
        store.write({ { QStringLiteral("launchAtStartup"), Value(false) } });
        EXPECT_TRUE(QJsonDocument::fromJson(contents(path())).isObject());
        ASSERT_EQ(s_warnings.size(), 1);
        EXPECT_TRUE(s_warnings.front().contains(store.setAsidePath()));
        EXPECT_FALSE(setAside.contains(store.setAsidePath()));
        setAside.insert(store.setAsidePath(), bytes);
    }
    for (auto aside = setAside.cbegin(); aside != setAside.cend(); ++aside)
        EXPECT_EQ(contents(aside.key()), aside.value());
}

// The aside name is the file's name plus a time stamp: for a name near the file system's
// limit that name is too long, so the rename fails whoever runs the test, root included.
TEST_F(JsonDefaultsStoreTest, FileThatCannotBeMovedAsideIsLeftAloneAndAnUnwritableLocationKeepsValuesInMemory)
{
    const QString longPath = m_directory.filePath(QString(250, u's'));
    ASSERT_TRUE(writeFile(longPath, "{ damaged"));
    JsonDefaultsStore store(longPath);
    store.write({ { QStringLiteral("flag"), Value(true) } });
    EXPECT_EQ(contents(longPath), "{ damaged");
    EXPECT_TRUE(store.setAsidePath().isEmpty());
    EXPECT_EQ(store.value(QStringLiteral("flag")), Value(true));
    EXPECT_EQ(s_warnings.size(), 1);
    EXPECT_EQ(QDir(m_directory.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    // A file where the folder should be: the values live on in memory, reported once.
    s_warnings.clear();
    ASSERT_TRUE(writeFile(m_directory.filePath(QStringLiteral("trovix")), "a file where the folder should be"));
    JsonDefaultsStore unwritable(path());
    unwritable.write({ { QStringLiteral("flag"), Value(true) } });
    unwritable.write({ { QStringLiteral("flag"), Value(false) } });
    EXPECT_EQ(unwritable.value(QStringLiteral("flag")), Value(false));
    EXPECT_EQ(s_warnings.size(), 1);
}

// The file holds the upload token.
TEST_F(JsonDefaultsStoreTest, OnlyTheOwnerMayReadTheFileOrItsFolder)
{
    const QString folder = QFileInfo(path()).absolutePath();
    const auto modeOf = [](const QString& entry) {
        struct stat status { };
        EXPECT_EQ(::stat(QFile::encodeName(entry).constData(), &status), 0);
        return status.st_mode & 07777;
    };
    {
        JsonDefaultsStore store(path());
        store.write({ { QStringLiteral("uploadAuthorizationToken"), Value(QStringLiteral("secret")) } });
    }
    EXPECT_EQ(modeOf(path()), 0600u);
    EXPECT_EQ(modeOf(folder), 0700u);

    // Files and folders an earlier version left open to others are closed on the next write.
    ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), 0644), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
    JsonDefaultsStore store(path());
    store.write({ { QStringLiteral("flag"), Value(true) } });
    EXPECT_EQ(modeOf(path()), 0600u);
    EXPECT_EQ(modeOf(folder), 0700u);
    EXPECT_EQ(store.value(QStringLiteral("uploadAuthorizationToken")), Value(QStringLiteral("secret")));

    // A damaged file set aside keeps the token it may hold private too.
    ASSERT_TRUE(writeFile(path(), R"({"uploadAuthorizationToken": "secret",)"));
    ASSERT_EQ(::chmod(QFile::encodeName(path()).constData(), 0644), 0);
    JsonDefaultsStore damaged(path());
    ASSERT_FALSE(damaged.setAsidePath().isEmpty());
    EXPECT_EQ(modeOf(damaged.setAsidePath()), 0600u);
}

} // namespace
