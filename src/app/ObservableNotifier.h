#pragma once

#include <QObject>

// The one observation mechanism of the application: every observable field is an
// Observable<T>, whose changed() signal fires on every assignment, equal value or not.
class ObservableNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

Q_SIGNALS:
    void changed();
};
