#pragma once

#include <QMessageBox>

class AppState;

// The "Problem" alert, shown while the state holds an error message; OK clears it.
class ErrorAlert : public QMessageBox {
    Q_OBJECT
public:
    ErrorAlert(AppState& state, QWidget* parent);

private:
    void followState();

    AppState& m_state;
};
