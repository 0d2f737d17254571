#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
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
    ++m_modalDepth;
    const QString path = QFileDialog::getOpenFileName(m_parent, QStringLiteral("Open Image"),
        QStandardPaths::writableLocation(QStandardPaths::PicturesLocation), filters);
    --m_modalDepth;
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> QtDialogs::chooseSaveLocation(const QString& proposedFileName)
{
    QFileDialog dialog(m_parent, QStringLiteral("Save Image"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("PNG (*.png)"));
    dialog.setDefaultSuffix(QStringLiteral("png"));
    dialog.selectFile(proposedFileName);
    ++m_modalDepth;
    const bool accepted = dialog.exec() == QDialog::Accepted;
    --m_modalDepth;
    if (!accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

int QtDialogs::runWarningAlert(const QString& messageText, const QString& informativeText, const QStringList& buttons)
{
    QMessageBox alert(QMessageBox::Warning, QStringLiteral("Trovix"), messageText, QMessageBox::NoButton, m_parent);
    alert.setInformativeText(informativeText);
    // The restart prompt speaks for the application, so it shows the application's icon.
    if (const QIcon icon = QApplication::windowIcon(); !icon.isNull())
        alert.setIconPixmap(icon.pixmap(64));
    QList<QPushButton*> pushButtons;
    for (const QString& title : buttons)
        pushButtons.append(alert.addButton(title, QMessageBox::ActionRole));
    if (!pushButtons.isEmpty()) {
        alert.setDefaultButton(pushButtons.front());
        alert.setEscapeButton(pushButtons.back());
    }
    ++m_modalDepth;
    alert.exec();
    --m_modalDepth;
    const qsizetype index = pushButtons.indexOf(qobject_cast<QPushButton*>(alert.clickedButton()));
    return int(index >= 0 ? index : buttons.size() - 1);
}

std::optional<QString> QtDialogs::chooseFolder(const QString& startFolder)
{
    QWidget* parent = QApplication::activeWindow() ? QApplication::activeWindow() : m_parent.data();
    ++m_modalDepth;
    const QString path = QFileDialog::getExistingDirectory(
        parent, QStringLiteral("Select Folder"), startFolder, QFileDialog::ShowDirsOnly);
    --m_modalDepth;
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
