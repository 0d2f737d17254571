#pragma once

#include "ports/DialogsPort.h"

// Answers each open panel with a prepared path, or as a cancel when there is none.
class FakeDialogs : public DialogsPort {
public:
    std::optional<QString> chooseImageFileToOpen() override;

    std::optional<QString> imageFileToChoose;
    int openPanelsShown = 0;
};
