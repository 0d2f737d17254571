#pragma once

class QMessageBox;
class QWidget;

namespace AboutBox {

// The "About Trovix" box: the app's icon, name, version and what it does. It is not modal
// and deletes itself when closed.
[[nodiscard]] QMessageBox* create(QWidget* parent);

} // namespace AboutBox
