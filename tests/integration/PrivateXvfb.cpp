#include "PrivateXvfb.h"

#include <QDeadlineTimer>

PrivateXvfb::PrivateXvfb(QSize rootSize)
{
    // -displayfd makes the server pick a free display and write its number to us when ready.
    m_process.start(QStringLiteral("Xvfb"),
        { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
            QStringLiteral("-screen"), QStringLiteral("0"),
            QStringLiteral("%1x%2x24").arg(rootSize.width()).arg(rootSize.height()), QStringLiteral("+extension"),
            QStringLiteral("RANDR") });
    const QDeadlineTimer deadline(10000);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
        m_process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
        output += m_process.readAllStandardOutput();
    }
    if (output.contains('\n'))
        m_display = QStringLiteral(":") + QString::fromLatin1(output.trimmed());
}

PrivateXvfb::~PrivateXvfb()
{
    m_process.terminate();
    if (!m_process.waitForFinished(3000))
        m_process.kill();
    m_process.waitForFinished(3000);
}
