#pragma once

#include <QRectF>
#include <QSizeF>

#include <optional>

// The editor's top-level window, once the user interface has registered it.
// Frames are in global screen points (origin bottom-left of the primary screen, y up).
class EditorWindowPort {
public:
    virtual ~EditorWindowPort() = default;

    [[nodiscard]] virtual bool isVisible() const = 0;
    virtual void makeKeyAndOrderFront() = 0;
    // Hides the window; the application keeps running in the tray.
    virtual void orderOut() = 0;
    // The zero rectangle until the window has been placed for the first time.
    [[nodiscard]] virtual QRectF frame() const = 0;
    virtual void setFrame(const QRectF& frame) = 0;
    [[nodiscard]] virtual QSizeF contentSize() const = 0;
    // The outer size the window needs to give its content this size.
    [[nodiscard]] virtual QSizeF frameSizeForContentSize(QSizeF contentSize) const = 0;
    // Visible frame (without panels and docks) of the window's screen, else of the main screen.
    [[nodiscard]] virtual std::optional<QRectF> screenVisibleFrame() const = 0;
};
