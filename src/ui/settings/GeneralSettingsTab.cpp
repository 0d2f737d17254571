#include "ui/settings/GeneralSettingsTab.h"

#include "app/AppSettings.h"
#include "ports/DialogsPort.h"
#include "services/AutoSaveLocation.h"
#include "ui/settings/BackgroundStylePicker.h"
#include "ui/settings/SettingsControls.h"
#include "ui/settings/SettingsSection.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The slider moves in hundredths over the range the setting allows.
constexpr int speedSteps = 100;
constexpr int minimumSpeedStep = 10;
// Shorter than one screen makes a scrolling capture pointless; taller images
// than this exhaust memory long before the page ends.
constexpr double minimumMaxHeight = 100.0;
constexpr double maximumMaxHeight = 100000.0;

QString speedText(double speed)
{
    return QString::number(speed, 'f', 2);
}

} // namespace

GeneralSettingsTab::GeneralSettingsTab(AppSettings& settings, DialogsPort& dialogs, QWidget* parent)
    : SettingsPane(parent)
    , m_settings(settings)
    , m_dialogs(dialogs)
{
    addBackgroundSection();
    addCaptureSection();
    finishLayout();
}

QString GeneralSettingsTab::scrollingModeDescription(ScrollingCaptureMode mode)
{
    if (mode == ScrollingCaptureMode::automatic)
        return QStringLiteral("Starts scrolling right away and stops when you click.");
    return QStringLiteral("Capture one step at a time and finish when you're done.");
}

void GeneralSettingsTab::addBackgroundSection()
{
    SettingsSection* section = addSection(QStringLiteral("Window Screenshot Background"));
    section->addWidget(new BackgroundStylePicker(m_settings.windowBackgroundStyle, section));
}

void GeneralSettingsTab::addCaptureSection()
{
    using SettingsControls::choiceFor;
    using SettingsControls::switchFor;
    SettingsSection* section = addSection(QStringLiteral("Capturing and Saving"));
    section->addRow(QStringLiteral("Screenshots folder"), folderRow());
    section->addRow(QStringLiteral("Save format"),
        choiceFor(m_settings.saveFormat,
            { { SaveFormat::png, QStringLiteral("PNG") },
                { SaveFormat::automatic, QStringLiteral("Auto (PNG/JPEG)") } },
            QStringLiteral("saveFormat"), section));
    section->addRow(QStringLiteral("Resize retina screenshots"),
        switchFor(m_settings.resizeRetinaScreenshots, QStringLiteral("Downscale to 1x when saving"),
            QStringLiteral("resizeRetinaScreenshots"), section));
    section->addRow(QStringLiteral("Scrolling capture mode"), scrollingModeControl());
    section->addRow(QStringLiteral("Scrolling screenshot max height"), maxHeightRow());
    section->addRow(QStringLiteral("Scrolling screenshot speed"), speedRow());
    section->addRow(QStringLiteral("Autostart"),
        switchFor(m_settings.launchAtStartup, QStringLiteral("Launch at startup"), QStringLiteral("launchAtStartup"),
            section));
    section->addRow(QStringLiteral("After screenshot"), afterScreenshotRow());
    section->addRow(QStringLiteral("After Area Crop, show"),
        choiceFor(m_settings.showEditorAfterAreaCrop,
            { { false, QStringLiteral("Thumbnail") }, { true, QStringLiteral("Editor") } },
            QStringLiteral("showEditorAfterAreaCrop"), section));
    section->addRow(QStringLiteral("Hide preview thumbnail"), new QLabel(QStringLiteral("Manually (close button)")));
}

QLayout* GeneralSettingsTab::folderRow()
{
    // Read-only: a folder is only ever chosen in the panel, so it exists when chosen.
    auto* path = new QLineEdit(widget());
    path->setObjectName(QStringLiteral("screenshotsFolderPath"));
    path->setReadOnly(true);
    path->setFocusPolicy(Qt::ClickFocus);
    auto show = [this, path] {
        path->setText(m_settings.screenshotsFolderPath());
        path->setToolTip(AutoSaveLocation::expandedFolder(m_settings.screenshotsFolderPath()));
    };
    show();
    connect(&m_settings.screenshotsFolderPath, &ObservableNotifier::changed, path, show);

    auto* button = new QPushButton(QStringLiteral("Select Folder"), widget());
    button->setObjectName(QStringLiteral("selectFolder"));
    connect(button, &QPushButton::clicked, this, &GeneralSettingsTab::chooseFolder);

    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(path, 1);
    row->addWidget(button);
    return row;
}

void GeneralSettingsTab::chooseFolder()
{
    const QString current = AutoSaveLocation::expandedFolder(m_settings.screenshotsFolderPath());
    if (const std::optional<QString> chosen = m_dialogs.chooseFolder(current))
        m_settings.screenshotsFolderPath.set(*chosen);
}

QWidget* GeneralSettingsTab::scrollingModeControl()
{
    auto* control = new QWidget(widget());
    auto* column = new QVBoxLayout(control);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    QComboBox* choice = SettingsControls::choiceFor(m_settings.scrollingCaptureMode,
        { { ScrollingCaptureMode::manual, QStringLiteral("Manual") },
            { ScrollingCaptureMode::automatic, QStringLiteral("Automatic") } },
        QStringLiteral("scrollingCaptureMode"), control);
    auto* description = new QLabel(control);
    description->setObjectName(QStringLiteral("scrollingCaptureModeDescription"));
    description->setForegroundRole(QPalette::PlaceholderText);
    auto show
        = [this, description] { description->setText(scrollingModeDescription(m_settings.scrollingCaptureMode())); };
    show();
    connect(&m_settings.scrollingCaptureMode, &ObservableNotifier::changed, description, show);
    column->addWidget(choice, 0, Qt::AlignLeft);
    column->addWidget(description);
    return control;
}

// Written when the user presses Enter or leaves the field, not at every digit,
// so that typing 20000 never stores a maximum of 2 on the way.
QLayout* GeneralSettingsTab::maxHeightRow()
{
    auto* field = new QDoubleSpinBox(widget());
    field->setObjectName(QStringLiteral("scrollingScreenshotMaxHeight"));
    field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    field->setDecimals(0);
    field->setRange(minimumMaxHeight, maximumMaxHeight);
    field->setKeyboardTracking(false);
    field->setGroupSeparatorShown(false);
    field->setMinimumWidth(110);
    field->setAlignment(Qt::AlignRight);
    auto show = [this, field] {
        const QSignalBlocker blocker(field);
        field->setValue(m_settings.scrollingScreenshotMaxHeight());
    };
    show();
    connect(&m_settings.scrollingScreenshotMaxHeight, &ObservableNotifier::changed, field, show);
    connect(field, &QDoubleSpinBox::valueChanged, this, [this](double value) {
        if (value != m_settings.scrollingScreenshotMaxHeight())
            m_settings.scrollingScreenshotMaxHeight.set(value);
    });
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(field);
    row->addWidget(new QLabel(QStringLiteral("px"), widget()));
    row->addStretch();
    return row;
}

// Dragging only moves the number; the value is written when the slider is let go.
QLayout* GeneralSettingsTab::speedRow()
{
    auto* slider = new QSlider(Qt::Horizontal, widget());
    slider->setObjectName(QStringLiteral("scrollingScreenshotSpeed"));
    slider->setRange(minimumSpeedStep, speedSteps);
    slider->setSingleStep(1);
    slider->setPageStep(10);
    slider->setTracking(false);
    slider->setMinimumWidth(260);
    auto* value = new QLabel(widget());
    value->setObjectName(QStringLiteral("scrollingScreenshotSpeedValue"));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("0.000")));
    auto show = [this, slider, value] {
        const double speed = m_settings.scrollingScreenshotSpeed();
        const QSignalBlocker blocker(slider);
        slider->setValue(static_cast<int>(std::lround(speed * speedSteps)));
        value->setText(speedText(speed));
    };
    show();
    connect(&m_settings.scrollingScreenshotSpeed, &ObservableNotifier::changed, slider, show);
    connect(slider, &QSlider::sliderMoved, value, [value](int step) { value->setText(speedText(step / 100.0)); });
    connect(slider, &QSlider::valueChanged, this,
        [this](int step) { m_settings.scrollingScreenshotSpeed.set(step / static_cast<double>(speedSteps)); });
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    row->addWidget(slider);
    row->addWidget(value);
    row->addStretch();
    return row;
}

QLayout* GeneralSettingsTab::afterScreenshotRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(18);
    row->addWidget(SettingsControls::switchFor(
        m_settings.showAfterScreenshot, QStringLiteral("Show"), QStringLiteral("showAfterScreenshot"), widget()));
    row->addWidget(SettingsControls::switchFor(
        m_settings.copyAfterScreenshot, QStringLiteral("Copy"), QStringLiteral("copyAfterScreenshot"), widget()));
    row->addWidget(SettingsControls::switchFor(
        m_settings.saveAfterScreenshot, QStringLiteral("Save"), QStringLiteral("saveAfterScreenshot"), widget()));
    row->addStretch();
    return row;
}
