#include "ui/editor/ErrorAlert.h"

#include "app/AppState.h"

#include <QLabel>

namespace {

// The first characters of the message, never splitting a character outside the basic plane.
QString shortened(const QString& message, qsizetype length)
{
    if (message.size() <= length)
        return message;
    if (message.at(length - 1).isHighSurrogate())
        --length;
    return message.left(length) + QChar(0x2026);
}

} // namespace

ErrorAlert::ErrorAlert(AppState& state, QWidget* parent)
    : QMessageBox(parent)
    , m_state(state)
{
    setWindowTitle(QStringLiteral("Problem"));
    setWindowModality(Qt::WindowModal);
    setIcon(QMessageBox::Warning);
    setTextFormat(Qt::PlainText);
    setText(QStringLiteral("Problem"));
    setStandardButtons(QMessageBox::Ok);
    connect(&m_state.errorMessage, &ObservableNotifier::changed, this, &ErrorAlert::followState);
    connect(this, &QDialog::finished, this, [this] {
        if (m_state.errorMessage())
            m_state.errorMessage.set(std::nullopt);
    });
}

void ErrorAlert::followState()
{
    if (const std::optional<QString>& message = m_state.errorMessage()) {
        showMessage(*message);
        if (!isVisible())
            open();
    } else if (isVisible()) {
        done(QMessageBox::Ok);
    }
}

void ErrorAlert::showMessage(const QString& message)
{
    const bool cut = message.size() > maximumShownLength;
    setInformativeText(shortened(message, maximumShownLength));
    setDetailedText(cut ? message : QString());
    // The box makes its informative label rich text with live links; a server's page must
    // neither render as HTML nor open anything when clicked.
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
        label->setOpenExternalLinks(false);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
}
