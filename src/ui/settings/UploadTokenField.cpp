#include "ui/settings/UploadTokenField.h"

#include "services/UploadTokenRules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

UploadTokenField::UploadTokenField(Observable<QString>& token, const QString& key, QWidget* parent)
    : QWidget(parent)
    , m_token(token)
    , m_edit(new QLineEdit(this))
    , m_reveal(new QToolButton(this))
    , m_problem(new QLabel(this))
{
    m_edit->setObjectName(key);
    m_edit->setPlaceholderText(QStringLiteral("optional bearer token"));
    m_edit->setClearButtonEnabled(true);
    m_edit->setEchoMode(QLineEdit::Password);
    m_reveal->setObjectName(key + QStringLiteral("Reveal"));
    m_reveal->setText(QStringLiteral("Show"));
    m_reveal->setCheckable(true);
    m_reveal->setToolTip(QStringLiteral("Show the token"));
    m_problem->setObjectName(key + QStringLiteral("Problem"));
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setWordWrap(true);
    m_problem->setStyleSheet(QStringLiteral("color: #FF3B30;"));
    m_problem->hide();

    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(m_edit, 1);
    line->addWidget(m_reveal);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(line);
    column->addWidget(m_problem);

    showStoredToken();
    connect(&m_token, &ObservableNotifier::changed, this, &UploadTokenField::showStoredToken);
    connect(m_edit, &QLineEdit::textChanged, this, &UploadTokenField::takeEdit);
    connect(m_reveal, &QToolButton::toggled, this, [this](bool shown) {
        m_edit->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
        m_reveal->setText(shown ? QStringLiteral("Hide") : QStringLiteral("Show"));
    });
}

void UploadTokenField::showStoredToken()
{
    // Setting the same text again would move the cursor of someone typing.
    if (m_edit->text() == m_token.get())
        return;
    const QSignalBlocker blocker(m_edit);
    m_edit->setText(m_token.get());
    m_problem->hide();
}

void UploadTokenField::takeEdit(const QString& text)
{
    if (const std::optional<QString> problem = UploadTokenRules::tokenProblem(text)) {
        m_problem->setText(*problem);
        m_problem->show();
        return;
    }
    m_problem->hide();
    if (m_token.get() != text)
        m_token.set(text);
}
