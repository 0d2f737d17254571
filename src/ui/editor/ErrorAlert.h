#pragma once

#include <QMessageBox>

class AppState;

// The "Problem" alert, shown while the state holds an error message; OK clears it. A message
// may be a server's whole answer, so it is shown as plain text without live links, and a long
// one is cut in the alert with the whole text under "Show Details...".
class ErrorAlert : public QMessageBox {
    Q_OBJECT
public:
    // About a screenful of text; the rest would push the OK button off the screen.
    static constexpr qsizetype maximumShownLength = 2000;

    ErrorAlert(AppState& state, QWidget* parent);

private:
    void followState();
    void showMessage(const QString& message);

    AppState& m_state;
};
