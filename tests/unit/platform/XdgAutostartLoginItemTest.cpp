#include "platform/qt/XdgAutostartLoginItem.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class XdgAutostartLoginItemTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_directory.isValid()); }

    [[nodiscard]] QString path() const { return m_directory.filePath(QStringLiteral("autostart/trovix.desktop")); }

    QTemporaryDir m_directory;
};

TEST_F(XdgAutostartLoginItemTest, EnablingWritesTheEntryAndDisablingRemovesIt)
{
    XdgAutostartLoginItem item(path(), QStringLiteral("/opt/Trovix apps/trovix"));
    item.setEnabled(true);
    item.setEnabled(true);
    const QList<QByteArray> lines = contents(path()).split('\n');
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.front(), "[Desktop Entry]");
    EXPECT_TRUE(lines.contains("Type=Application"));
    EXPECT_TRUE(lines.contains("Name=Trovix"));
    EXPECT_TRUE(lines.contains("Exec=\"/opt/Trovix apps/trovix\""));

    item.setEnabled(false);
    EXPECT_FALSE(QFile::exists(path()));
    item.setEnabled(false);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(XdgAutostartLoginItemTest, AnEntrySomeoneElseWroteIsNeitherReplacedNorRemoved)
{
    QDir().mkpath(QFileInfo(path()).absolutePath());
    const QByteArray theirs = "[Desktop Entry]\nType=Application\nExec=trovix --their-flag\n";
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(theirs);
    }
    XdgAutostartLoginItem item(path(), QStringLiteral("/usr/bin/trovix"));
    item.setEnabled(false);
    EXPECT_EQ(contents(path()), theirs);
    item.setEnabled(true);
    EXPECT_EQ(contents(path()), theirs);
}

TEST_F(XdgAutostartLoginItemTest, UnwritableLocationIsIgnored)
{
    QFile blocker(m_directory.filePath(QStringLiteral("autostart")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    XdgAutostartLoginItem item(path(), QStringLiteral("/usr/bin/trovix"));
    item.setEnabled(true);
    item.setEnabled(false);
    EXPECT_FALSE(QFile::exists(path()));
}

struct ExecCase {
    const char* path;
    const char* exec;
};

TEST(XdgAutostartExec, ReservedCharactersAreQuotedAndEscapedTwice)
{
    const ExecCase cases[] = {
        { "/usr/bin/trovix", R"("/usr/bin/trovix")" },
        { "/opt/my apps/trovix", R"("/opt/my apps/trovix")" },
        { "/opt/a$b/trovix", R"("/opt/a\\$b/trovix")" },
        { "/opt/a\"b`c/trovix", R"("/opt/a\\"b\\`c/trovix")" },
        { "/opt/a\\b/trovix", R"("/opt/a\\\\b/trovix")" },
        { "/opt/100%/trovix", R"("/opt/100%%/trovix")" },
    };
    for (const ExecCase& testCase : cases) {
        SCOPED_TRACE(testCase.path);
        EXPECT_EQ(XdgAutostartLoginItem::execValue(QString::fromUtf8(testCase.path)).toStdString(), testCase.exec);
    }
}

} // namespace
