#include "ui/settings/SettingsWindow.h"

#include "app/AppSettings.h"
#include "ui/settings/AdvancedSettingsTab.h"
#include "ui/settings/GeneralSettingsTab.h"
#include "ui/settings/HotkeysSettingsTab.h"
#include "ui/settings/SettingsIcons.h"
#include "ui/settings/SettingsPane.h"
#include "ui/settings/ShortcutRecorder.h"
#include "ui/settings/UploadingSettingsTab.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

int indexOf(SettingsTab tab)
{
    return static_cast<int>(tab);
}

} // namespace

SettingsWindow::SettingsWindow(AppSettings& settings, HotkeyRegistrar& hotkeys, DialogsPort& dialogs,
    std::function<void()> uploadCurrentImage, QWidget* parent)
    : QWidget(parent)
    , m_recorder(new ShortcutRecorder(settings, hotkeys, this))
    , m_tabButtons(new QButtonGroup(this))
    , m_panes(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("settingsWindow"));
    setWindowTitle(QStringLiteral("Preferences"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
        | Qt::WindowCloseButtonHint);
    setMinimumSize(minimumContentSize);
    resize(contentSize);

    m_panes->addWidget(new GeneralSettingsTab(settings, dialogs, m_panes));
    m_panes->addWidget(new HotkeysSettingsTab(settings, *m_recorder, hotkeys.takesGlobalShortcuts(), m_panes));
    m_panes->addWidget(new UploadingSettingsTab(settings, std::move(uploadCurrentImage), m_panes));
    m_panes->addWidget(new AdvancedSettingsTab(settings, m_panes));

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setObjectName(QStringLiteral("tabSeparator"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tabStrip());
    layout->addWidget(separator);
    layout->addWidget(m_panes, 1);
    SettingsPane::alignRowLabels(m_panes);
    applyStyle();
    setSelection(SettingsTab::general);
}

QWidget* SettingsWindow::tabStrip()
{
    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("tabStrip"));
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(12, 10, 12, 8);
    row->setSpacing(6);
    row->addStretch();
    const QColor normal = palette().color(QPalette::WindowText);
    const QColor checked = palette().color(QPalette::Highlight);
    for (SettingsTab tab : SettingsTabs::allCases) {
        auto* button = new QToolButton(strip);
        button->setObjectName(QStringLiteral("tab.") + SettingsTabs::label(tab).toLower());
        button->setText(SettingsTabs::label(tab));
        button->setIcon(SettingsIcons::icon(tab, normal, checked));
        button->setIconSize(QSize(26, 26));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setProperty("settingsTab", true);
        button->setMinimumWidth(84);
        button->setCursor(Qt::PointingHandCursor);
        m_tabButtons->addButton(button, indexOf(tab));
        row->addWidget(button);
    }
    row->addStretch();
    m_tabButtons->setExclusive(true);
    connect(m_tabButtons, &QButtonGroup::idClicked, this,
        [this](int id) { setSelection(SettingsTabs::allCases.at(static_cast<std::size_t>(id))); });
    return strip;
}

void SettingsWindow::setSelection(SettingsTab tab)
{
    m_selection = tab;
    m_tabButtons->button(indexOf(tab))->setChecked(true);
    m_panes->setCurrentIndex(indexOf(tab));
    // Recording on a pane the user cannot see would swallow what they type there.
    if (tab != SettingsTab::hotkeys)
        m_recorder->stopRecording();
}

void SettingsWindow::showEvent(QShowEvent* event)
{
    m_recorder->install();
    QWidget::showEvent(event);
}

void SettingsWindow::hideEvent(QHideEvent* event)
{
    m_recorder->stopRecording();
    m_recorder->remove();
    QWidget::hideEvent(event);
}

// The panels lift off the window background a little, and the selected tab is
// tinted with the highlight colour, in light and dark palettes alike.
void SettingsWindow::applyStyle()
{
    const QPalette colors = palette();
    const QColor window = colors.color(QPalette::Window);
    const bool dark = window.lightness() < 128;
    const QColor panel = dark ? window.lighter(125) : window.lighter(104);
    QColor border = colors.color(QPalette::WindowText);
    border.setAlpha(dark ? 60 : 36);
    QColor tint = colors.color(QPalette::Highlight);
    tint.setAlpha(40);
    setStyleSheet(QStringLiteral(
        "QFrame#settingsPanel { background: %1; border: 1px solid %2; border-radius: 10px; }"
        "QFrame#tabSeparator { border: none; background: %2; max-height: 1px; }"
        "QWidget#paneContent { background: %3; }"
        "QToolButton[settingsTab=\"true\"] { border: none; border-radius: 8px; padding: 6px 10px; }"
        "QToolButton[settingsTab=\"true\"]:checked { background: %4; color: %5; }"
        "QToolButton[settingsTab=\"true\"]:hover:!checked { background: %6; }"
        "QPushButton#record:checked { background: %4; color: %5; border: 1px solid %5; border-radius: 4px;"
        " padding: 4px 10px; font-weight: 600; }")
                      .arg(panel.name(QColor::HexArgb), border.name(QColor::HexArgb), window.name(QColor::HexArgb),
                          tint.name(QColor::HexArgb), colors.color(QPalette::Highlight).name(QColor::HexArgb),
                          border.name(QColor::HexArgb)));
}
