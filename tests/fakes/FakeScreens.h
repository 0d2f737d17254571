#pragma once

#include "ports/ScreensPort.h"

class FakeScreens : public ScreensPort {
public:
    QList<Screen> screenList;
    std::optional<Screen> main;
    QPointF mouse { -100000, -100000 };

    [[nodiscard]] QList<Screen> screens() const override { return screenList; }
    [[nodiscard]] std::optional<Screen> mainScreen() const override { return main; }
    [[nodiscard]] QPointF mouseLocation() const override { return mouse; }
};
