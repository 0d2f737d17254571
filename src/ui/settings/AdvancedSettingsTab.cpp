#include "ui/settings/AdvancedSettingsTab.h"

#include "app/AppSettings.h"
#include "ui/settings/SettingsControls.h"
#include "ui/settings/SettingsSection.h"

#include <QCheckBox>
#include <QHBoxLayout>

AdvancedSettingsTab::AdvancedSettingsTab(AppSettings& settings, QWidget* parent)
    : SettingsPane(parent)
    , m_settings(settings)
{
    addRecognitionSection();
    addWindowSection();
    addExportSection();
    addNote(QStringLiteral(
        "Diagnostics are only sent when you turn them on. Screenshots stay on your computer unless you upload them."));
    finishLayout();
}

void AdvancedSettingsTab::addRecognitionSection()
{
    SettingsSection* section = addSection(QStringLiteral("Text Recognition"));
    section->addRow(QStringLiteral("Primary OCR language"),
        SettingsControls::textChoiceFor(m_settings.ocrLanguage,
            { QStringLiteral("English+"), QStringLiteral("Polish+"), QStringLiteral("Auto") },
            QStringLiteral("ocrLanguage"), section));
    section->addRow(QStringLiteral("OCR line breaks"),
        SettingsControls::switchFor(m_settings.removeOcrLineBreaks, QStringLiteral("Remove line breaks"),
            QStringLiteral("removeOcrLineBreaks"), section));
}

void AdvancedSettingsTab::addWindowSection()
{
    using SettingsControls::switchFor;
    SettingsSection* section = addSection(QStringLiteral("Icon and Windows"));
    section->addRow(QStringLiteral("Tray icon"),
        switchFor(
            m_settings.hideMenubarIcon, QStringLiteral("Hide tray icon"), QStringLiteral("hideMenubarIcon"), section));
    section->addRow(QStringLiteral("Splash window"),
        switchFor(m_settings.splashWindowDisabled, QStringLiteral("Don't show splash"),
            QStringLiteral("splashWindowDisabled"), section));
    section->addRow(QStringLiteral("Main window"),
        switchFor(m_settings.mainWindowAlwaysOnTop, QStringLiteral("Always on top"),
            QStringLiteral("mainWindowAlwaysOnTop"), section));
    section->addRow(QStringLiteral("Zoom with mouse wheel"),
        switchFor(m_settings.reverseScrollDirection, QStringLiteral("Reverse scroll direction"),
            QStringLiteral("reverseScrollDirection"), section));
    section->addRow(QStringLiteral("Default zoom level"),
        switchFor(m_settings.prefer100Zoom, QStringLiteral("Prefer 100%"), QStringLiteral("prefer100Zoom"), section));
}

void AdvancedSettingsTab::addExportSection()
{
    using SettingsControls::switchFor;
    SettingsSection* section = addSection(QStringLiteral("Export and Privacy"));
    section->addRow(QStringLiteral("Action when hiding with Esc"), escActionsRow());
    section->addRow(QStringLiteral("Confirmation style"),
        SettingsControls::textChoiceFor(m_settings.confirmationStyle,
            { QStringLiteral("Custom Notification"), QStringLiteral("System Notification"), QStringLiteral("None") },
            QStringLiteral("confirmationStyle"), section));
    section->addRow(QStringLiteral("URL Scheme API"),
        switchFor(m_settings.enableDeepLinks, QStringLiteral("Enable deep links"), QStringLiteral("enableDeepLinks"),
            section));
    section->addRow(QStringLiteral("Diagnostics information"),
        switchFor(m_settings.allowDiagnostics, QStringLiteral("Allow collection"), QStringLiteral("allowDiagnostics"),
            section));
}

QLayout* AdvancedSettingsTab::escActionsRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(18);
    row->addWidget(SettingsControls::switchFor(
        m_settings.copyImageWhenEsc, QStringLiteral("Copy Image"), QStringLiteral("copyImageWhenEsc"), widget()));
    row->addWidget(SettingsControls::switchFor(
        m_settings.saveImageWhenEsc, QStringLiteral("Save Image"), QStringLiteral("saveImageWhenEsc"), widget()));
    row->addStretch();
    return row;
}
