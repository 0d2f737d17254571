#pragma once

#include "ports/EditorWindowPort.h"

#include <algorithm>

// A window whose frame is its content plus a 28-point title bar.
class FakeEditorWindow : public EditorWindowPort {
public:
    static constexpr double titleBarHeight = 28;

    bool isVisible() const override { return visible; }
    void makeKeyAndOrderFront() override
    {
        visible = true;
        ++broughtToFront;
    }
    void orderOut() override { visible = false; }
    QRectF frame() const override { return currentFrame; }
    void setFrame(const QRectF& frame) override { currentFrame = frame; }
    QSizeF contentSize() const override
    {
        return { currentFrame.width(), std::max(0.0, currentFrame.height() - titleBarHeight) };
    }
    QSizeF frameSizeForContentSize(QSizeF content) const override
    {
        return { content.width(), content.height() + titleBarHeight };
    }
    std::optional<QRectF> screenVisibleFrame() const override { return visibleFrame; }

    bool visible = false;
    int broughtToFront = 0;
    QRectF currentFrame;
    std::optional<QRectF> visibleFrame;
};
