#include "platform/qt/QtDialogs.h"

#include <QFileDialog>
#include <QStandardPaths>

QtDialogs::QtDialogs(QWidget* parent)
    : m_parent(parent)
{ }

std::optional<QString> QtDialogs::chooseImageFileToOpen()
{
    // Some desktop file choosers match patterns case-sensitively, and cameras write upper-case suffixes.
    const QString filters
        = QStringLiteral("Images (*.png *.jpg *.jpeg *.tif *.tiff *.PNG *.JPG *.JPEG *.TIF *.TIFF);;"
                         "PNG (*.png *.PNG);;JPEG (*.jpg *.jpeg *.JPG *.JPEG);;TIFF (*.tif *.tiff *.TIF *.TIFF)");
    const QString path = QFileDialog::getOpenFileName(m_parent, QStringLiteral("Open Image"),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), filters);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
