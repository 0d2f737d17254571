#pragma once

#include "app/Observable.h"
#include "domain/WindowBackgroundStyle.h"

#include <QWidget>

class QButtonGroup;

// Four option cards, one per window background style in their listed order, each
// with a small picture of a window framed that way. Bound to the setting like
// the other settings controls; named "windowBackgroundStyle", its cards after
// the styles' raw values.
class BackgroundStylePicker : public QWidget {
    Q_OBJECT
public:
    BackgroundStylePicker(Observable<WindowBackgroundStyle>& field, QWidget* parent = nullptr);

    [[nodiscard]] static QString label(WindowBackgroundStyle style);

private:
    void showSelection();

    Observable<WindowBackgroundStyle>& m_field;
    QButtonGroup* m_group;
};
