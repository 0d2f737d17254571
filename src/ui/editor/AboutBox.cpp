#include "ui/editor/AboutBox.h"

#include "domain/ApplicationIdentity.h"
#include "ui/shared/AppIcon.h"

#include <QMessageBox>

namespace AboutBox {

QMessageBox* create(QWidget* parent)
{
    auto* box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(QStringLiteral("About Trovix"));
    box->setIconPixmap(AppIcon::icon().pixmap(64, 64));
    box->setText(QStringLiteral("<b>Trovix %1</b>").arg(ApplicationIdentity::version()));
    box->setInformativeText(QStringLiteral("Capture the screen, an area, a window or a scrolling page, annotate it, "
                                           "then copy, save, pin or upload it, or read its text and QR codes."));
    box->setStandardButtons(QMessageBox::Close);
    return box;
}

} // namespace AboutBox
