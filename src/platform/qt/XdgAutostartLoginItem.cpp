#include "platform/qt/XdgAutostartLoginItem.h"

#include "domain/FileSystemError.h"
#include "storage/AtomicFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStandardPaths>

namespace {

Q_LOGGING_CATEGORY(lcLoginItem, "trovix.loginitem")

// Marks the entries we wrote, so that we never delete someone else's.
const QByteArray s_ownerLine = QByteArrayLiteral("X-Trovix-LoginItem=true");

} // namespace

XdgAutostartLoginItem::XdgAutostartLoginItem(QString desktopFilePath, QString executablePath)
    : m_desktopFilePath(std::move(desktopFilePath))
    , m_executablePath(std::move(executablePath))
{ }

QString XdgAutostartLoginItem::standardDesktopFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/trovix.desktop");
}

void XdgAutostartLoginItem::setEnabled(bool enabled)
{
    const bool exists = QFileInfo::exists(m_desktopFilePath);
    if (exists && !isOwnEntry()) {
        qCDebug(lcLoginItem).noquote() << "Leaving" << m_desktopFilePath << "alone: Trovix did not write it.";
        return;
    }
    if (enabled)
        writeEntry();
    else if (exists)
        removeEntry();
}

// Inside a quoted argument ", `, $ and \ take a backslash, and the value as a
// whole escapes backslashes again; a literal % is written %%.
QString XdgAutostartLoginItem::execValue(const QString& executablePath)
{
    QString quoted;
    for (QChar character : executablePath) {
        if (character == u'"' || character == u'`' || character == u'$')
            quoted += QStringLiteral("\\\\");
        else if (character == u'\\')
            quoted += QStringLiteral("\\\\\\");
        else if (character == u'%')
            quoted += u'%';
        quoted += character;
    }
    return u'"' + quoted + u'"';
}

bool XdgAutostartLoginItem::isOwnEntry() const
{
    QFile file(m_desktopFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(64 * 1024).split('\n').contains(s_ownerLine);
}

void XdgAutostartLoginItem::writeEntry()
{
    if (m_executablePath.contains(u'\n') || m_executablePath.contains(u'\r')) {
        qCWarning(lcLoginItem).noquote() << "Cannot start" << m_executablePath
                                         << "at login: its path has a line break.";
        return;
    }
    const QByteArray entry = QByteArrayLiteral("[Desktop Entry]\n"
                                               "Type=Application\n"
                                               "Name=Trovix\n"
                                               "Exec=")
        + execValue(m_executablePath).toUtf8()
        + QByteArrayLiteral("\n"
                            "X-GNOME-Autostart-enabled=true\n")
        + s_ownerLine + '\n';
    QDir().mkpath(QFileInfo(m_desktopFilePath).absolutePath());
    try {
        AtomicFileWriter::write(m_desktopFilePath, entry);
    } catch (const FileSystemError& error) {
        qCWarning(lcLoginItem).noquote() << error.description();
    }
}

void XdgAutostartLoginItem::removeEntry()
{
    QFile file(m_desktopFilePath);
    if (!file.remove())
        qCWarning(lcLoginItem).noquote() << "Could not remove" << m_desktopFilePath << ":" << file.errorString();
}
