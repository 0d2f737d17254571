#pragma once

#include "app/Observable.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;

// The bearer token: masked unless the user asks to see it, and written to the settings only
// while it is one line without control characters. A refused edit stays in the field with
// the reason under it, so the user can correct it; the stored token keeps its last good value.
class UploadTokenField : public QWidget {
    Q_OBJECT
public:
    UploadTokenField(Observable<QString>& token, const QString& key, QWidget* parent = nullptr);

private:
    void showStoredToken();
    void takeEdit(const QString& text);

    Observable<QString>& m_token;
    QLineEdit* m_edit;
    QToolButton* m_reveal;
    QLabel* m_problem;
};
