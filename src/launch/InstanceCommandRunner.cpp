#include "launch/InstanceCommandRunner.h"

#include "app/AppState.h"
#include "engine/ImageIOService.h"

#include <QFileInfo>

namespace {

// Workflows are coroutines that keep running after their handle is dropped.
template <typename Task> void start(Task task)
{
    Q_UNUSED(task);
}

} // namespace

InstanceCommandRunner::InstanceCommandRunner(AppState& state, WindowCommands windows)
    : m_state(state)
    , m_windows(std::move(windows))
{ }

void InstanceCommandRunner::run(const InstanceCommand& command)
{
    using Kind = InstanceCommand::Kind;
    switch (command.kind) {
    case Kind::show:
        return m_state.showEditor();
    case Kind::startInBackground:
        return;
    case Kind::captureScreen:
        return start(m_state.captureScreen());
    case Kind::captureArea:
        return start(m_state.captureArea());
    case Kind::captureWindow:
        return start(m_state.captureAnyWindow());
    case Kind::captureActiveWindow:
        return start(m_state.captureActiveWindow());
    case Kind::captureDelayed:
        return start(m_state.captureAfterDelay(3.0));
    case Kind::captureScrolling:
        return start(m_state.startScrollingCapture(ScrollingCaptureDirection::down));
    case Kind::addAreaCapture:
        return start(m_state.addAreaCaptureToCanvas());
    case Kind::recognizeText:
        return start(m_state.recognizeText());
    case Kind::showSettings:
        return m_windows.showSettings();
    case Kind::quit:
        return m_windows.quit();
    case Kind::open:
        return open(command.files);
    }
}

// The editor holds one picture: the first file opens, the others are named in the status.
void InstanceCommandRunner::open(const QStringList& files)
{
    m_state.showEditor();
    if (files.isEmpty())
        return;
    const QString& path = files.front();
    const std::optional<Image> image = ImageIOService::readImage(path);
    if (!image || image->isNull()) {
        m_state.errorMessage.set(
            QStringLiteral("Could not open \"%1\": it is not a readable image.").arg(QFileInfo(path).fileName()));
        return;
    }
    const QString status = files.size() == 1
        ? QStringLiteral("Opened %1").arg(QFileInfo(path).fileName())
        : QStringLiteral("Opened %1; the editor shows one image at a time").arg(QFileInfo(path).fileName());
    m_state.loadImageIntoEditor(*image, status, true);
}
