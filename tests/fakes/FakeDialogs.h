#pragma once

#include "ports/DialogsPort.h"

#include <vector>

// Answers each open panel with a prepared path, or as a cancel when there is none, and each
// alert with a prepared button.
class FakeDialogs : public DialogsPort {
public:
    std::optional<QString> chooseImageFileToOpen() override;
    std::optional<QString> chooseSaveLocation(const QString& proposedFileName) override
    {
        proposedSaveNames.push_back(proposedFileName);
        return saveLocationToChoose;
    }
    int runWarningAlert(const QString& messageText, const QString& informativeText, const QStringList& buttons) override
    {
        alerts.push_back({ messageText, informativeText, buttons });
        if (alertAnswers.empty())
            return int(buttons.size()) - 1;
        const int answer = alertAnswers.front();
        alertAnswers.erase(alertAnswers.begin());
        return answer;
    }
    bool isShowingModal() const override { return showingModal; }

    std::optional<QString> imageFileToChoose;
    int openPanelsShown = 0;
    std::optional<QString> saveLocationToChoose;
    std::vector<QString> proposedSaveNames;
    bool showingModal = false;

    struct Alert {
        QString messageText;
        QString informativeText;
        QStringList buttons;
    };
    std::vector<Alert> alerts;
    // Button indexes for the next alerts, oldest first; without one an alert answers with its last button.
    std::vector<int> alertAnswers;
};
