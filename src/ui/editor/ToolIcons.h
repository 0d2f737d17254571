#pragma once

#include "domain/AnnotationTool.h"

#include <QColor>
#include <QIcon>
#include <QString>

#include <optional>

// Pictures for the editor's symbol names ("crop", "doc.on.doc", ...). The desktop's
// freedesktop icon theme supplies a picture where it has a standard one; every other
// symbol, and every symbol when no theme is installed, is drawn from our own line
// icons, tinted to the colour of the text around it.
namespace ToolIcons {

// The freedesktop name tried first for a symbol, if the naming standard has one.
[[nodiscard]] std::optional<QString> themeIconName(const QString& symbolName);
// Whether one of our own line icons exists for the symbol.
[[nodiscard]] bool hasBundledIcon(const QString& symbolName);

// Normal state in `color`, checked ("on") state in `checkedColor`, disabled faded.
[[nodiscard]] QIcon icon(const QString& symbolName, const QColor& color, const QColor& checkedColor = Qt::white);
// Always our own drawing, for places that must match the surrounding style exactly.
[[nodiscard]] QIcon bundledIcon(const QString& symbolName, const QColor& color, const QColor& checkedColor = Qt::white);
[[nodiscard]] QIcon toolIcon(AnnotationTool tool, const QColor& color, const QColor& checkedColor = Qt::white);

} // namespace ToolIcons
