#include "ui/editor/EmptyStatePanel.h"

#include "app/AppState.h"
#include "ui/editor/EditorTheme.h"
#include "ui/editor/ToolIcons.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace {

QLabel* centredLabel(const QString& text, QWidget* parent, bool secondary)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setProperty("secondary", secondary);
    return label;
}

} // namespace

EmptyStatePanel::EmptyStatePanel(AppState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
{
    const EditorColors colors = EditorTheme::colors(palette());
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(24, 24, 24, 24);
    outer->addStretch(1);

    auto* card = new QWidget(this);
    card->setObjectName(QStringLiteral("emptyCard"));
    card->setAttribute(Qt::WA_StyledBackground);
    card->setMaximumWidth(560);
    auto* shadow = new QGraphicsDropShadowEffect(card);
    shadow->setBlurRadius(28);
    shadow->setOffset(0, 6);
    shadow->setColor(QColor(0, 0, 0, colors.dark ? 90 : 28));
    card->setGraphicsEffect(shadow);
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(40, 36, 40, 32);
    column->setSpacing(8);

    auto* mark = new QLabel(card);
    mark->setAlignment(Qt::AlignCenter);
    mark->setPixmap(ToolIcons::bundledIcon(QStringLiteral("camera.aperture"), colors.accent).pixmap(56, 56));
    column->addWidget(mark);
    column->addSpacing(6);
    auto* title = centredLabel(QStringLiteral("Start with a screenshot"), card, false);
    title->setObjectName(QStringLiteral("emptyTitle"));
    column->addWidget(title);
    column->addWidget(centredLabel(
        QStringLiteral("Capture an area, capture the screen, open a file, or paste an image."), card, true));
    column->addSpacing(14);
    column->addWidget(buildQuickActions());
    column->addSpacing(14);
    column->addWidget(centredLabel(QStringLiteral("You can also press Ctrl+V."), card, true));
    column->addWidget(centredLabel(QStringLiteral("Use the tray icon or shortcuts to capture."), card, true));

    auto* centring = new QHBoxLayout;
    centring->addStretch(1);
    centring->addWidget(card, 3);
    centring->addStretch(1);
    outer->addLayout(centring);
    outer->addStretch(1);
}

QWidget* EmptyStatePanel::buildQuickActions()
{
    const EditorColors colors = EditorTheme::colors(palette());
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addStretch(1);
    struct QuickAction {
        const char* symbol;
        const char* title;
        bool prominent;
        std::function<void()> run;
    };
    const QuickAction actions[] = {
        { "rectangle.dashed", "Capture Area", true, [this] { Q_EMIT captureRequested(CaptureCommand::area); } },
        { "display", "Capture Screen", false, [this] { Q_EMIT captureRequested(CaptureCommand::fullScreen); } },
        { "folder", "Open…", false, [this] { m_state.openImage(); } },
        { "doc.on.clipboard", "Paste", false, [this] { m_state.loadFromClipboard(); } },
    };
    for (const QuickAction& action : actions) {
        auto* button = new QPushButton(QString::fromUtf8(action.title), row);
        const QString symbol = QString::fromLatin1(action.symbol);
        button->setIcon(action.prominent ? ToolIcons::bundledIcon(symbol, colors.accentText)
                                         : ToolIcons::icon(symbol, colors.text));
        if (action.prominent)
            button->setProperty("prominent", true);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QPushButton::clicked, this, action.run);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return row;
}
