#include "services/ImageOpenPanel.h"
#include "engine/ImageIOService.h"
#include "fakes/FakeDialogs.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class ImageOpenPanel : public testing::Test {
protected:
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
    FakeDialogs m_dialogs;
};

TEST_F(ImageOpenPanel, CancelOrAnUnreadableChoiceGivesNone)
{
    EXPECT_FALSE(ImageIOService::openImagePanel(m_dialogs));
    EXPECT_EQ(m_dialogs.openPanelsShown, 1);
    for (const QString& path : { writeFile(QStringLiteral("notes.png"), "plain text, not a picture"),
             m_dir.filePath(QStringLiteral("deleted-meanwhile.png")), QString() }) {
        SCOPED_TRACE(path.toStdString());
        m_dialogs.imageFileToChoose = path;
        EXPECT_FALSE(ImageIOService::openImagePanel(m_dialogs));
    }
}

} // namespace
