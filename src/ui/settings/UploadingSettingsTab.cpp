#include "ui/settings/UploadingSettingsTab.h"

#include "app/AppSettings.h"
#include "services/UploadTokenRules.h"
#include "ui/settings/SettingsControls.h"
#include "ui/settings/SettingsSection.h"
#include "ui/settings/UploadTokenField.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

UploadingSettingsTab::UploadingSettingsTab(
    AppSettings& settings, std::function<void()> uploadCurrentImage, QWidget* parent)
    : SettingsPane(parent)
    , m_settings(settings)
    , m_uploadCurrentImage(std::move(uploadCurrentImage))
{
    using SettingsControls::textFieldFor;
    m_section = addSection(QStringLiteral("Image Uploading & Link Sharing"),
        QStringLiteral(
            "Custom Server sends the image to your URL as multipart/form-data and copies the returned link."));
    m_section->addRow(QStringLiteral("Mode"),
        SettingsControls::choiceFor(m_settings.uploadMode,
            { { UploadMode::disabled, QStringLiteral("Disable Uploading") },
                { UploadMode::customServer, QStringLiteral("Custom Server") } },
            QStringLiteral("uploadMode"), m_section));
    m_serverRows = {
        textFieldFor(m_settings.uploadEndpoint, QStringLiteral("https://example.com/upload"),
            QStringLiteral("uploadEndpoint"), m_section),
        textFieldFor(m_settings.uploadFieldName, QStringLiteral("file"), QStringLiteral("uploadFieldName"), m_section),
        new UploadTokenField(
            m_settings.uploadAuthorizationToken, QStringLiteral("uploadAuthorizationToken"), m_section),
    };
    m_section->addRow(QStringLiteral("Server URL"), m_serverRows[0]);
    m_section->addRow(QStringLiteral("Field name"), m_serverRows[1]);
    m_section->addRow(QStringLiteral("API token"), m_serverRows[2]);
    m_section->addRow(QString(), tokenInClearWarning());
    m_testRow = testUploadRow();
    m_section->addRow(QStringLiteral("Test upload"), m_testRow);
    finishLayout();

    showServerRows();
    const std::initializer_list<ObservableNotifier*> shownBy { &m_settings.uploadMode, &m_settings.uploadEndpoint,
        &m_settings.uploadAuthorizationToken };
    for (ObservableNotifier* field : shownBy)
        connect(field, &ObservableNotifier::changed, this, &UploadingSettingsTab::showServerRows);
}

QString UploadingSettingsTab::uploadStatus() const
{
    return m_uploadStatus->text();
}

QLabel* UploadingSettingsTab::tokenInClearWarning()
{
    m_tokenInClear = new QLabel(QStringLiteral("This server address starts with http://, so the API token would travel "
                                               "unencrypted and anyone on the network could read it. Use https://."),
        m_section);
    m_tokenInClear->setObjectName(QStringLiteral("uploadTokenInClear"));
    m_tokenInClear->setWordWrap(true);
    m_tokenInClear->setStyleSheet(QStringLiteral("color: #FF3B30;"));
    return m_tokenInClear;
}

QLayout* UploadingSettingsTab::testUploadRow()
{
    auto* button = new QPushButton(QStringLiteral("Upload current image"), m_section);
    button->setObjectName(QStringLiteral("uploadCurrentImage"));
    m_uploadStatus = new QLabel(m_section);
    m_uploadStatus->setObjectName(QStringLiteral("uploadStatus"));
    m_uploadStatus->setForegroundRole(QPalette::PlaceholderText);
    connect(button, &QPushButton::clicked, this, [this] {
        m_uploadStatus->setText(QStringLiteral("Uploading current image..."));
        if (m_uploadCurrentImage)
            m_uploadCurrentImage();
    });
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(button);
    row->addWidget(m_uploadStatus, 1);
    return row;
}

// Only the rows are hidden: the address, field name and token stay stored for
// when the custom server is chosen again.
void UploadingSettingsTab::showServerRows()
{
    const bool customServer = m_settings.uploadMode() == UploadMode::customServer;
    for (QWidget* row : m_serverRows)
        m_section->setRowVisible(row, customServer);
    m_section->setRowVisible(m_tokenInClear,
        customServer
            && UploadTokenRules::sendsTokenInClear(m_settings.uploadEndpoint(), m_settings.uploadAuthorizationToken()));
    m_section->setRowVisible(m_testRow, customServer);
}
