#include "ui/editor/EditorBottomPanel.h"

#include "app/AppSettings.h"
#include "app/AppState.h"
#include "ui/editor/EditorTheme.h"
#include "ui/editor/ElidedLabel.h"
#include "ui/editor/PillFrame.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPixmap colorDot(const QColor& color, const QWidget& widget)
{
    const qreal ratio = widget.devicePixelRatioF();
    QPixmap pixmap(QSize(12, 12) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 0, 45), 1));
    painter.setBrush(color);
    painter.drawEllipse(QRectF(0.5, 0.5, 11, 11));
    return pixmap;
}

} // namespace

EditorBottomPanel::EditorBottomPanel(AppState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
{
    setObjectName(QStringLiteral("bottomPanel"));
    setAttribute(Qt::WA_StyledBackground);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 8, 14, 8);
    column->setSpacing(6);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    m_captureHint = new QLabel(QStringLiteral("Use the tray icon or shortcuts to start a capture."), this);
    m_captureHint->setProperty("secondary", true);
    m_captureHint->setMinimumHeight(32);
    top->addWidget(m_captureHint);
    m_measurements = buildMeasurements();
    top->addWidget(m_measurements);
    top->addStretch(1);
    m_resizeGroup = buildResizeGroup();
    top->addWidget(m_resizeGroup);
    column->addLayout(top);
    column->addWidget(buildStatusRow());

    connectState();
    showImage();
    showZoom();
    showColor();
    showShortcuts();
}

QWidget* EditorBottomPanel::buildMeasurements()
{
    auto* group = new QWidget(this);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    auto* sizePill = new PillFrame(QStringLiteral("ruler"), group);
    sizePill->setToolTip(QStringLiteral("Image size"));
    m_sizeLabel = sizePill->addLabel(QString());
    m_sizeLabel->setObjectName(QStringLiteral("imageSizeLabel"));
    row->addWidget(sizePill);

    auto* zoomPill = new PillFrame(QStringLiteral("plus.magnifyingglass"), group);
    zoomPill->setToolTip(QStringLiteral("Zoom"));
    m_zoomLabel = zoomPill->addLabel(QString());
    m_zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    row->addWidget(zoomPill);

    m_colorPill = new PillFrame(QString(), group);
    m_colorPill->setToolTip(QStringLiteral("Stroke color"));
    m_colorDot = new QLabel(m_colorPill);
    m_colorPill->contentLayout()->addWidget(m_colorDot);
    m_colorLabel = m_colorPill->addLabel(QString());
    row->addWidget(m_colorPill);

    auto* canvasPill = new PillFrame(QStringLiteral("photo"), group);
    canvasPill->addLabel(QStringLiteral("Canvas"), true);
    m_canvasSizeLabel = canvasPill->addLabel(QString());
    row->addWidget(canvasPill);
    return group;
}

QWidget* EditorBottomPanel::buildResizeGroup()
{
    auto* group = new PillFrame(QString(), this);
    group->setObjectName(QStringLiteral("resizeGroup"));
    group->addLabel(QStringLiteral("Resize"), true);
    m_resizeField = new QLineEdit(group);
    m_resizeField->setObjectName(QStringLiteral("resizeField"));
    m_resizeField->setPlaceholderText(QStringLiteral("100"));
    m_resizeField->setAccessibleName(QStringLiteral("Resize percent"));
    m_resizeField->setFixedWidth(48);
    m_resizeField->setAlignment(Qt::AlignRight);
    group->contentLayout()->addWidget(m_resizeField);
    group->addLabel(QStringLiteral("%"), true);
    m_resizeApply = new QPushButton(QStringLiteral("Apply"), group);
    m_resizeApply->setObjectName(QStringLiteral("resizeApplyButton"));
    m_resizeApply->setCursor(Qt::PointingHandCursor);
    group->contentLayout()->addWidget(m_resizeApply);
    // Room for the button inside the capsule.
    group->contentLayout()->setContentsMargins(12, 0, 3, 0);
    return group;
}

QWidget* EditorBottomPanel::buildStatusRow()
{
    auto* rowWidget = new QWidget(this);
    auto* row = new QHBoxLayout(rowWidget);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(10);

    m_progress = new QWidget(rowWidget);
    auto* progressRow = new QHBoxLayout(m_progress);
    progressRow->setContentsMargins(0, 0, 0, 0);
    progressRow->setSpacing(8);
    auto* bar = new QProgressBar(m_progress);
    bar->setRange(0, 0);
    bar->setTextVisible(false);
    bar->setFixedWidth(90);
    progressRow->addWidget(bar);
    auto* progressText = new QLabel(QStringLiteral("Recognizing text…"), m_progress);
    progressText->setObjectName(QStringLiteral("recognitionProgressLabel"));
    progressRow->addWidget(progressText);
    row->addWidget(m_progress);

    m_status = new ElidedLabel(rowWidget);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    row->addWidget(m_status, 1);
    m_shortcuts = new QLabel(rowWidget);
    m_shortcuts->setObjectName(QStringLiteral("shortcutSummary"));
    m_shortcuts->setProperty("secondary", true);
    row->addWidget(m_shortcuts);
    return rowWidget;
}

void EditorBottomPanel::connectState()
{
    connect(&m_state.baseImage, &ObservableNotifier::changed, this, &EditorBottomPanel::showImage);
    connect(&m_state.zoomScale, &ObservableNotifier::changed, this, &EditorBottomPanel::showZoom);
    connect(&m_state.strokeColor, &ObservableNotifier::changed, this, &EditorBottomPanel::showColor);
    connect(&m_state.statusMessage, &ObservableNotifier::changed, this,
        [this] { m_status->setText(m_state.statusMessage()); });
    m_status->setText(m_state.statusMessage());
    connect(&m_state.isRecognizingText, &ObservableNotifier::changed, this,
        [this] { m_progress->setVisible(m_state.isRecognizingText()); });
    m_progress->setVisible(m_state.isRecognizingText());

    connect(
        m_resizeField, &QLineEdit::textEdited, this, [this](const QString& text) { m_state.resizePercent.set(text); });
    connect(&m_state.resizePercent, &ObservableNotifier::changed, this, [this] {
        if (m_resizeField->text() != m_state.resizePercent())
            m_resizeField->setText(m_state.resizePercent());
    });
    m_resizeField->setText(m_state.resizePercent());
    connect(m_resizeField, &QLineEdit::returnPressed, this, [this] { m_state.applyResize(); });
    connect(m_resizeApply, &QPushButton::clicked, this, [this] { m_state.applyResize(); });

    for (HotkeyAction action : HotkeyActions::allCases)
        connect(&m_state.settings.hotkeyField(action), &ObservableNotifier::changed, this,
            &EditorBottomPanel::showShortcuts);
}

void EditorBottomPanel::showImage()
{
    const bool hasImage = m_state.baseImage().has_value();
    m_captureHint->setVisible(!hasImage);
    m_measurements->setVisible(hasImage);
    m_resizeGroup->setVisible(hasImage);
    const QString size = m_state.currentImageSizeLabel();
    m_sizeLabel->setText(size);
    m_canvasSizeLabel->setText(size);
}

void EditorBottomPanel::showZoom()
{
    m_zoomLabel->setText(QString::number(m_state.zoomPercentage()) + QLatin1Char('%'));
}

void EditorBottomPanel::showColor()
{
    m_colorDot->setPixmap(colorDot(m_state.strokeColor(), *this));
    m_colorLabel->setText(m_state.strokeColorHex());
}

void EditorBottomPanel::showShortcuts()
{
    m_shortcuts->setText(m_state.settings.hotkeySummaryText());
}
