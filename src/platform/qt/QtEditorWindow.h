#pragma once

#include "ports/EditorWindowPort.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

// The editor's top-level Qt window as the application state sees it, in the
// application's screen space.
class QtEditorWindow : public QObject, public EditorWindowPort {
    Q_OBJECT
public:
    explicit QtEditorWindow(QWidget& window, QObject* parent = nullptr);

    [[nodiscard]] bool isVisible() const override;
    void makeKeyAndOrderFront() override;
    void orderOut() override;
    [[nodiscard]] QRectF frame() const override;
    void setFrame(const QRectF& frame) override;
    [[nodiscard]] QSizeF contentSize() const override;
    [[nodiscard]] QSizeF frameSizeForContentSize(QSizeF contentSize) const override;
    [[nodiscard]] std::optional<QRectF> screenVisibleFrame() const override;

    // None once the window is gone.
    [[nodiscard]] QWidget* widget() const { return m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the window manager's decorations add to the client area, zero before mapping.
    [[nodiscard]] QSize decorationSize() const;

    QPointer<QWidget> m_window;
    bool m_placed = false;
};
