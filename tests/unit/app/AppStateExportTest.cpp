#include "AppStateFixture.h"

#include "engine/ImageIOService.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class AppStateExportTest : public AppStateTest {
protected:
    AppStateExportTest()
    {
        state.setEditorWindow(&window);
        window.visible = true;
        settings.screenshotsFolderPath.set(folder.filePath(QStringLiteral("shots")));
    }

    void openFramedImage()
    {
        state.loadImageIntoEditor(solidImage({ 300, 200 }, QColor(40, 90, 200)), QStringLiteral("x"), false);
        settings.windowBackgroundStyle.set(WindowBackgroundStyle::solidColor);
        state.backdropEnabled.set(true);
    }

    [[nodiscard]] QStringList savedFiles() const
    {
        return QDir(folder.filePath(QStringLiteral("shots"))).entryList(QDir::Files, QDir::Name);
    }

    FakeEditorWindow window;
    QTemporaryDir folder;
};

TEST_F(AppStateExportTest, WithoutAnImageActionsReportThePolishErrorAndWithOneCopyAndExportTakeTheFramedPicture)
{
    for (const auto action : { &AppState::copyCurrentImage, &AppState::exportImage, &AppState::pinCurrentImage }) {
        state.errorMessage.set(std::nullopt);
        (state.*action)();
        EXPECT_EQ(state.errorMessage(), QStringLiteral("Brak obrazu do zapisania."));
    }
    EXPECT_TRUE(dialogs.proposedSaveNames.empty()) << "no panel without a picture";
    EXPECT_TRUE(pinnedWindows.pinned.empty());

    state.errorMessage.set(std::nullopt);
    openFramedImage();
    state.copyCurrentImage();
    ASSERT_TRUE(clipboard.provider);
    EXPECT_EQ(clipboard.provider->encodeCount(), 0) << "encoded only when pasted";
    EXPECT_EQ(clipboard.provider->image().size(), QSizeF(428, 328)) << "framed by the window background";
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Copied image to clipboard"));

    state.exportImage(); // cancelled
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Copied image to clipboard"));
    EXPECT_EQ(dialogs.proposedSaveNames, std::vector { QStringLiteral("screenshot.png") });
    const QString path = folder.filePath(QStringLiteral("mine.png"));
    dialogs.saveLocationToChoose = path;
    state.exportImage();
    EXPECT_EQ(state.statusMessage(), QStringLiteral("Exported PNG"));
    EXPECT_EQ(readFile(path), ImageIOService::pngData(*state.renderedImage(true)));
    EXPECT_FALSE(state.errorMessage());

    dialogs.saveLocationToChoose = folder.filePath(QStringLiteral("no/such/folder/x.png"));
    state.exportImage();
    ASSERT_TRUE(state.errorMessage());
    EXPECT_TRUE(state.errorMessage()->contains(QStringLiteral("no/such/folder")));

    clipboard.refuseImages = true;
    state.copyCurrentImage();
    EXPECT_EQ(state.errorMessage(), QStringLiteral("Brak obrazu do zapisania."));
}

// A folder that cannot be created keeps the editor open, with the copy made before the failure.
TEST_F(AppStateExportTest, EscapeCombinationsOfCopyAndSave)
{
    QFile blocker(folder.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const struct {
        bool copy, save, folderBroken;
        const char* status;
        int files;
    } cases[] = { { false, false, false, "Hidden to tray", 0 }, { true, false, false, "Image copied and hidden", 0 },
        { false, true, false, "Image saved and hidden", 1 },
        { true, true, false, "Image copied, saved, and hidden", 1 }, { true, true, true, "before", 0 } };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        QDir(folder.filePath(QStringLiteral("shots"))).removeRecursively();
        settings.screenshotsFolderPath.set(
            folder.filePath(QString::fromLatin1(c.folderBroken ? "blocker/shots" : "shots")));
        clipboard.provider.reset();
        window.visible = true;
        openFramedImage();
        settings.copyImageWhenEsc.set(c.copy);
        settings.saveImageWhenEsc.set(c.save);
        clock.current = clock.current.addSecs(1);
        state.statusMessage.set(QStringLiteral("before"));
        state.handleEditorEscape();
        EXPECT_EQ(state.statusMessage(), QString::fromLatin1(c.status));
        EXPECT_EQ(window.visible, c.folderBroken);
        EXPECT_EQ(clipboard.provider != nullptr, c.copy);
        EXPECT_EQ(savedFiles().size(), c.files);
        EXPECT_EQ(state.errorMessage().has_value(), c.folderBroken);
        if (c.folderBroken) {
            EXPECT_TRUE(state.errorMessage()->contains(QStringLiteral("blocker/shots")));
        }
    }
}
