#include "ui/ErrorAlert.h"

#include "app/AppState.h"

ErrorAlert::ErrorAlert(AppState& state, QWidget* parent)
    : QMessageBox(parent)
    , m_state(state)
{
    setWindowTitle(QStringLiteral("Problem"));
    setWindowModality(Qt::WindowModal);
    setIcon(QMessageBox::Warning);
    setText(QStringLiteral("Problem"));
    setStandardButtons(QMessageBox::Ok);
    connect(&m_state.errorMessage, &ObservableNotifier::changed, this, &ErrorAlert::followState);
    connect(this, &QDialog::finished, this, [this] {
        if (m_state.errorMessage())
            m_state.errorMessage.set(std::nullopt);
    });
}

void ErrorAlert::followState()
{
    if (const std::optional<QString>& message = m_state.errorMessage()) {
        setInformativeText(*message);
        if (!isVisible())
            open();
    } else if (isVisible()) {
        done(QMessageBox::Ok);
    }
}
