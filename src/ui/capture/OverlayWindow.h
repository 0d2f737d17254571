#pragma once

#include "domain/Screen.h"

#include <QTimer>
#include <QWidget>

#include <future>

// A borderless window above everything else that covers one whole screen and takes the
// keyboard while it is shown, the base of the selection overlays. It reports the end of
// the selection once through finished(); what was selected is the subclass's to tell.
class OverlayWindow : public QWidget {
    Q_OBJECT
public:
    OverlayWindow();
    ~OverlayWindow() override;

    // Before the window shows: places it on the screen and readies the memory it is painted
    // in, so that its first paint of a whole screen does not wait for fresh pages.
    void prepare(const Screen& screen);
    // Covers the screen, in its own logical coordinates, and takes the keyboard.
    void present(const Screen& screen);
    [[nodiscard]] bool isFinished() const { return m_finished; }
    // True once the keyboard belongs to the overlay, so Esc reaches it.
    [[nodiscard]] bool hasKeyboard() const { return m_hasKeyboard; }

Q_SIGNALS:
    void finished();

protected:
    void finish();
    void hideEvent(QHideEvent* event) override;

private:
    void placeOn(const Screen& screen);
    void grabKeyboardWhenMapped();

    std::future<void> m_readying;
    QTimer m_grabRetry;
    int m_grabAttempts = 0;
    bool m_finished = false;
    bool m_hasKeyboard = false;
};
