#pragma once

#include "AppStateFixture.h"

#include "domain/ScreenshotError.h"
#include "engine/ImageIOService.h"
#include "fakes/TaskRunner.h"

#include <QDir>
#include <QTemporaryDir>

// Our windows in the capture tests, front to back: the editor, a pinned picture (floating,
// titled), a window without a title and a status-level panel.
class AppStateCaptureTest : public AppStateTest {
protected:
    static constexpr std::uintptr_t editorId = 1;
    static constexpr std::uintptr_t pinnedId = 2;
    static constexpr std::uintptr_t untitledId = 3;
    static constexpr std::uintptr_t panelId = 4;

    const Screen mainScreen { QStringLiteral("main"), QRectF(0, 0, 800, 600), QRectF(0, 0, 800, 570), 1.0,
        QRect(0, 0, 800, 600) };
    const Screen sideScreen { QStringLiteral("side"), QRectF(800, -200, 640, 480), QRectF(800, -200, 640, 480), 1.0,
        QRect(800, 320, 640, 480) };

    AppStateCaptureTest()
    {
        ensureCoreApplication();
        screens.screenList = { mainScreen, sideScreen };
        screens.main = mainScreen;
        screens.mouse = { 100, 100 };
        tool.output = ImageIOService::pngData(capturedPicture);
        displayCapture.image = capturedPicture;
        screenFreeze.picture = capturedPicture;
        areaSelection.answer = QRectF(10, 20, 100, 50);
        settings.showAfterScreenshot.set(false);
        settings.screenshotsFolderPath.set(folder.path());
        state.setEditorWindow(&editor);
        applicationWindows.addEditor(editor, editorId);
        applicationWindows.list.append(
            { .id = pinnedId, .title = QStringLiteral("Pinned"), .isVisible = false, .level = WindowLevel::floating });
        applicationWindows.list.append(
            { .id = untitledId, .title = QString(), .isVisible = true, .level = WindowLevel::normal });
        applicationWindows.list.append(
            { .id = panelId, .title = QStringLiteral("Scrolling"), .isVisible = true, .level = WindowLevel::status });
    }

    void showPinnedWindow()
    {
        for (ApplicationWindow& window : applicationWindows.list) {
            if (window.id == pinnedId)
                window.isVisible = true;
        }
    }

    // The tool's PNG comes back in its own pixel format; what counts is the picture.
    [[nodiscard]] bool isCapturedPicture(const std::optional<Image>& image) const
    {
        return image && image->size() == capturedPicture.size()
            && image->pixels().convertToFormat(QImage::Format_ARGB32_Premultiplied) == capturedPicture.pixels();
    }

    const Image capturedPicture = solidImage({ 40, 30 }, QColor(30, 120, 200));
    QTemporaryDir folder;
    FakeEditorWindow editor;
};
