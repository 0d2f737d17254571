#include "ui/editor/EditorHeader.h"

#include "app/AppState.h"
#include "ui/editor/EditorTheme.h"
#include "ui/editor/ToolIcons.h"

#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <functional>

namespace {

constexpr int s_buttonSize = 34;
constexpr int s_iconSize = 19;

QToolButton* makeButton(const QString& objectName, const QIcon& icon, const QString& tip, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(objectName);
    button->setIcon(icon);
    button->setIconSize(QSize(s_iconSize, s_iconSize));
    button->setFixedSize(s_buttonSize, s_buttonSize);
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

EditorHeader::EditorHeader(AppState& state, QWidget* parent)
    : QWidget(parent)
    , m_state(state)
    , m_tools(new QButtonGroup(this))
{
    setObjectName(QStringLiteral("editorHeader"));
    setAttribute(Qt::WA_StyledBackground);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 9, 14, 9);
    row->setSpacing(6);
    addBrand(row);
    row->addSpacing(14);
    addToolButtons(row);
    row->addStretch(1);
    addActionButtons(row);
    connect(&m_state.selectedTool, &ObservableNotifier::changed, this, &EditorHeader::showSelectedTool);
    showSelectedTool();
}

void EditorHeader::addBrand(QHBoxLayout* row)
{
    const EditorColors colors = EditorTheme::colors(palette());
    auto* mark = new QLabel(this);
    mark->setPixmap(ToolIcons::bundledIcon(QStringLiteral("camera.aperture"), colors.accent).pixmap(22, 22));
    row->addWidget(mark);
    auto* title = new QLabel(QStringLiteral("Trovix"), this);
    title->setObjectName(QStringLiteral("brandTitle"));
    row->addWidget(title);
}

void EditorHeader::addToolButtons(QHBoxLayout* row)
{
    const EditorColors colors = EditorTheme::colors(palette());
    auto* group = new QFrame(this);
    group->setObjectName(QStringLiteral("toolGroup"));
    auto* groupRow = new QHBoxLayout(group);
    groupRow->setContentsMargins(3, 3, 3, 3);
    groupRow->setSpacing(2);
    m_tools->setExclusive(true);
    for (AnnotationTool tool : visibleTools) {
        QToolButton* button = makeButton(QStringLiteral("toolButton"),
            ToolIcons::toolIcon(tool, colors.text, colors.accentText), AnnotationTools::shortTooltipText(tool), group);
        button->setCheckable(true);
        button->setProperty("tool", AnnotationTools::rawValue(tool));
        m_tools->addButton(button, int(tool));
        groupRow->addWidget(button);
    }
    connect(m_tools, &QButtonGroup::idClicked, this,
        [this](int id) { m_state.selectedTool.set(static_cast<AnnotationTool>(id)); });
    row->addWidget(group);
}

void EditorHeader::addActionButtons(QHBoxLayout* row)
{
    const EditorColors colors = EditorTheme::colors(palette());
    struct Action {
        const char* symbol;
        const char* tip;
        std::function<void()> run;
    };
    const Action actions[] = {
        { "doc.on.doc", "Copy Image", [this] { m_state.copyCurrentImage(); } },
        { "square.and.arrow.down", "Save Image", [this] { m_state.exportImage(); } },
        { "pin", "Pin Image", [this] { m_state.pinCurrentImage(); } },
        { "plus.rectangle.on.rectangle", "Add Capture", [this] { Q_EMIT addCaptureRequested(); } },
        { "folder", "Open Image", [this] { m_state.openImage(); } },
    };
    for (const Action& action : actions) {
        QToolButton* button = makeButton(QStringLiteral("actionButton"),
            ToolIcons::icon(QString::fromLatin1(action.symbol), colors.text), QString::fromLatin1(action.tip), this);
        connect(button, &QToolButton::clicked, this, action.run);
        row->addWidget(button);
    }
}

QAbstractButton* EditorHeader::toolButton(AnnotationTool tool) const
{
    return m_tools->button(int(tool));
}

void EditorHeader::showSelectedTool()
{
    if (QAbstractButton* button = toolButton(m_state.selectedTool()))
        button->setChecked(true);
}
