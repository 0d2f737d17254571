#pragma once

#include "ports/DialogsPort.h"

#include <QPointer>
#include <QWidget>

// Qt's file dialogs and message boxes, modal to the given window (or application-modal without one).
class QtDialogs : public DialogsPort {
public:
    explicit QtDialogs(QWidget* parent = nullptr);

    void setParent(QWidget* parent) { m_parent = parent; }

    std::optional<QString> chooseImageFileToOpen() override;
    std::optional<QString> chooseSaveLocation(const QString& proposedFileName) override;
    int runWarningAlert(
        const QString& messageText, const QString& informativeText, const QStringList& buttons) override;
    bool isShowingModal() const override { return m_modalDepth > 0; }

private:
    QPointer<QWidget> m_parent;
    int m_modalDepth = 0;
};
