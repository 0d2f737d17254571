#include "ui/editor/ToolOptionsStrip.h"

#include "app/AppState.h"
#include "ui/editor/ColorSwatchButton.h"
#include "ui/editor/EditorTheme.h"
#include "ui/editor/ElidedLabel.h"
#include "ui/editor/PillFrame.h"
#include "ui/editor/SliderPill.h"
#include "ui/editor/ToggleSwitch.h"
#include "ui/editor/ToolIcons.h"
#include "ui/editor/ToolOptionsRules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

ToolOptionsStrip::ToolOptionsStrip(AppState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("toolOptionsStrip"));
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 8, 14, 8);
    layout->setSpacing(8);
    buildToolPills();
    buildStylePills();
    buildTrailingControls();
    connectState();
    showSelectedTool();
    showColor();
}

void ToolOptionsStrip::buildToolPills()
{
    auto* row = static_cast<QHBoxLayout*>(layout());
    m_toolPill = new PillFrame(QString(), this);
    m_toolPill->setObjectName(QStringLiteral("selectedToolPill"));
    m_toolPill->setAccented(true);
    m_toolTitle = m_toolPill->addLabel(QString());
    row->addWidget(m_toolPill);

    m_textPill = new PillFrame(QStringLiteral("text.cursor"), this);
    m_textPill->setObjectName(QStringLiteral("textInputPill"));
    m_textField = new QLineEdit(m_textPill);
    m_textField->setPlaceholderText(QStringLiteral("Type text, then click the screenshot"));
    m_textField->setAccessibleName(QStringLiteral("Annotation text"));
    m_textField->setMinimumWidth(230);
    m_textPill->contentLayout()->addWidget(m_textField);
    row->addWidget(m_textPill, 1);

    m_hintPill = new PillFrame(QStringLiteral("lightbulb"), this);
    m_hintPill->setObjectName(QStringLiteral("hintPill"));
    m_hint = new ElidedLabel(m_hintPill);
    m_hint->setSecondary(true);
    m_hintPill->contentLayout()->addWidget(m_hint);
    // Takes its text's width, and gives it up (eliding) before anything else when the window narrows.
    m_hintPill->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    row->addWidget(m_hintPill);

    m_shiftPill = new PillFrame(QStringLiteral("shift"), this);
    m_shiftPill->setObjectName(QStringLiteral("shiftHintPill"));
    m_shiftHint = m_shiftPill->addLabel(QString(), true);
    row->addWidget(m_shiftPill);
}

void ToolOptionsStrip::buildStylePills()
{
    auto* row = static_cast<QHBoxLayout*>(layout());
    m_colorPill = new PillFrame(QString(), this);
    m_colorPill->setObjectName(QStringLiteral("colorPill"));
    m_colorWell = new ColorSwatchButton(m_colorPill);
    m_colorPill->contentLayout()->addWidget(m_colorWell);
    m_colorHex = m_colorPill->addLabel(QString());
    m_colorHex->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(m_colorPill);

    m_widthPill = new SliderPill(QStringLiteral("Width"), 1, 12, m_state.lineWidth, this);
    m_widthPill->setObjectName(QStringLiteral("widthPill"));
    row->addWidget(m_widthPill);
    m_sizePill = new SliderPill(QStringLiteral("Size"), 14, 56, m_state.textSize, this);
    m_sizePill->setObjectName(QStringLiteral("sizePill"));
    row->addWidget(m_sizePill);
}

void ToolOptionsStrip::buildTrailingControls()
{
    auto* row = static_cast<QHBoxLayout*>(layout());
    m_applyCrop = new QPushButton(QStringLiteral("Apply Crop"), this);
    m_applyCrop->setObjectName(QStringLiteral("applyCropButton"));
    m_applyCrop->setProperty("prominent", true);
    m_applyCrop->setIcon(ToolIcons::bundledIcon(QStringLiteral("checkmark"), Qt::white));
    m_applyCrop->setCursor(Qt::PointingHandCursor);
    row->addWidget(m_applyCrop);

    row->addStretch(1);
    m_background = new ToggleSwitch(QStringLiteral("Background"), this);
    m_background->setObjectName(QStringLiteral("backgroundSwitch"));
    m_background->setToolTip(
        QStringLiteral("Adds padding and a soft window background when you export or upload the image."));
    row->addWidget(m_background);

    m_undo = new QToolButton(this);
    m_undo->setObjectName(QStringLiteral("undoButton"));
    m_undo->setText(QStringLiteral("Undo"));
    m_undo->setToolTip(QStringLiteral("Undo the last edit"));
    m_undo->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_undo->setIcon(ToolIcons::icon(QStringLiteral("arrow.uturn.backward"), EditorTheme::colors(palette()).text));
    m_undo->setCursor(Qt::PointingHandCursor);
    row->addWidget(m_undo);
}

void ToolOptionsStrip::connectState()
{
    connect(&m_state.selectedTool, &ObservableNotifier::changed, this, &ToolOptionsStrip::showSelectedTool);
    connect(&m_state.strokeColor, &ObservableNotifier::changed, this, &ToolOptionsStrip::showColor);
    connect(m_colorWell, &ColorSwatchButton::colorChosen, this,
        [this](const QColor& color) { m_state.strokeColor.set(color); });
    connect(m_textField, &QLineEdit::textEdited, this, [this](const QString& text) { m_state.textDraft.set(text); });
    connect(&m_state.textDraft, &ObservableNotifier::changed, this, [this] {
        if (m_textField->text() != m_state.textDraft())
            m_textField->setText(m_state.textDraft());
    });
    m_textField->setText(m_state.textDraft());
    connect(m_applyCrop, &QPushButton::clicked, this, [this] { m_state.applyCropSelection(); });
    connect(m_background, &ToggleSwitch::toggled, this, [this](bool on) {
        if (m_state.backdropEnabled() != on)
            m_state.backdropEnabled.set(on);
    });
    connect(&m_state.backdropEnabled, &ObservableNotifier::changed, this,
        [this] { m_background->setChecked(m_state.backdropEnabled()); });
    m_background->setChecked(m_state.backdropEnabled());
    connect(m_undo, &QToolButton::clicked, this, [this] { m_state.undo(); });
    const auto showUndoStep = [this] {
        const std::optional<QString>& step = m_state.undoStepName();
        m_undo->setEnabled(step.has_value());
        m_undo->setToolTip(step ? QStringLiteral("Undo ") + *step : QStringLiteral("Nothing to undo"));
    };
    connect(&m_state.undoStepName, &ObservableNotifier::changed, this, showUndoStep);
    showUndoStep();
}

void ToolOptionsStrip::showSelectedTool()
{
    const AnnotationTool tool = m_state.selectedTool();
    const ToolOptions options = ToolOptionsRules::optionsFor(tool);
    m_toolPill->setSymbol(AnnotationTools::symbolName(tool));
    m_toolTitle->setText(AnnotationTools::title(tool));
    m_textPill->setVisible(options.textInput);
    m_hintPill->setVisible(!options.textInput);
    m_hint->setText(AnnotationTools::placementHint(tool));
    m_shiftPill->setVisible(options.shiftHint.has_value());
    m_shiftHint->setText(options.shiftHint.value_or(QString()));
    m_colorPill->setVisible(options.colorInspector);
    m_widthPill->setVisible(options.widthSlider);
    m_sizePill->setVisible(options.sizeSlider);
    m_applyCrop->setVisible(options.applyCrop);
    if (options.textInput && isVisible()) {
        // Choosing the text tool means typing next, so the field takes the keyboard.
        m_textField->setFocus(Qt::OtherFocusReason);
        m_textField->selectAll();
    }
}

void ToolOptionsStrip::showColor()
{
    m_colorWell->setColor(m_state.strokeColor());
    m_colorHex->setText(m_state.strokeColorHex());
}
