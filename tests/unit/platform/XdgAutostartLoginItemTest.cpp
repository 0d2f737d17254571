#include "platform/qt/XdgAutostartLoginItem.h"
#include "FileHelpers.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

class XdgAutostartLoginItemTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_directory.isValid()); }

    [[nodiscard]] QString path() const { return m_directory.filePath(QStringLiteral("autostart/trovix.desktop")); }

    QTemporaryDir m_directory;
};

TEST_F(XdgAutostartLoginItemTest, EnablingWritesTheEntryDisablingRemovesItAndEntriesItCannotOwnAreLeftAlone)
{
    XdgAutostartLoginItem item(path(), QStringLiteral("/opt/Trovix apps/trovix"));
    item.setEnabled(true);
    item.setEnabled(true);
    const QList<QByteArray> lines = contents(path()).split('\n');
    EXPECT_EQ(lines.front(), "[Desktop Entry]");
    EXPECT_TRUE(lines.contains("Type=Application"));
    EXPECT_TRUE(lines.contains("Name=Trovix"));
    EXPECT_TRUE(lines.contains("Exec=\"/opt/Trovix apps/trovix\""));

    item.setEnabled(false);
    item.setEnabled(false);
    EXPECT_FALSE(QFile::exists(path()));

    // An entry someone else wrote is left alone.
    const QByteArray theirs = "[Desktop Entry]\nType=Application\nExec=trovix --their-flag\n";
    ASSERT_TRUE(writeFile(path(), theirs));
    XdgAutostartLoginItem other(path(), QStringLiteral("/usr/bin/trovix"));
    for (const bool enabled : { false, true }) {
        other.setEnabled(enabled);
        EXPECT_EQ(contents(path()), theirs);
    }

    // A file where the autostart folder should be: nothing is written, nothing breaks.
    XdgAutostartLoginItem blocked(
        m_directory.filePath(QStringLiteral("autostart/trovix.desktop/x.desktop")), QStringLiteral("/usr/bin/trovix"));
    blocked.setEnabled(true);
    blocked.setEnabled(false);
    EXPECT_EQ(contents(path()), theirs);
}

struct ExecCase {
    const char* path;
    const char* exec;
};

TEST(XdgAutostartExec, ReservedCharactersAreQuotedAndEscapedTwice)
{
    const ExecCase cases[] = {
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
