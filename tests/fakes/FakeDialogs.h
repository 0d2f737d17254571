#pragma once

#include "ports/DialogsPort.h"

#include <vector>

// Answers each open panel with a prepared path, or as a cancel when there is none.
class FakeDialogs : public DialogsPort {
public:
    std::optional<QString> chooseImageFileToOpen() override;
    std::optional<QString> chooseSaveLocation(const QString& proposedFileName) override
    {
        proposedSaveNames.push_back(proposedFileName);
        return saveLocationToChoose;
    }
    std::optional<QString> chooseFolder(const QString& startFolder) override
    {
        folderPanelStarts.push_back(startFolder);
        return folderToChoose;
    }
    bool isShowingModal() const override { return showingModal; }

    std::optional<QString> imageFileToChoose;
    int openPanelsShown = 0;
    std::optional<QString> saveLocationToChoose;
    std::vector<QString> proposedSaveNames;
    bool showingModal = false;
    std::optional<QString> folderToChoose;
    std::vector<QString> folderPanelStarts;
};
