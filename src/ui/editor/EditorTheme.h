#pragma once

#include <QColor>
#include <QPalette>
#include <QString>

// The editor's decorative colours, chosen from the light or dark palette it runs under.
struct EditorColors {
    bool dark = false;
    QColor window;
    QColor surface;
    QColor raised;
    QColor border;
    QColor text;
    QColor secondaryText;
    QColor accent;
    QColor accentText;
    QColor hover;
    QColor stage;
    QColor field;
};

namespace EditorTheme {

[[nodiscard]] bool isDark(const QPalette& palette);
[[nodiscard]] EditorColors colors(const QPalette& palette);
// One style sheet for the whole editor window, keyed on object names and the "pill" property.
[[nodiscard]] QString styleSheet(const EditorColors& colors);

} // namespace EditorTheme
