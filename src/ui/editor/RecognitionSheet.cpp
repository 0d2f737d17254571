#include "ui/editor/RecognitionSheet.h"

#include "app/AppState.h"
#include "ports/ClipboardPort.h"
#include "ui/editor/EditorTheme.h"
#include "ui/editor/ToolIcons.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

RecognitionSheet::RecognitionSheet(AppState& state, ClipboardPort& clipboard, QWidget* parent)
    : QDialog(parent)
    , m_state(state)
    , m_clipboard(clipboard)
{
    setWindowTitle(QStringLiteral("Recognized Content"));
    setWindowModality(Qt::WindowModal);
    setMinimumSize(520, 420);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 20, 22, 18);
    column->setSpacing(12);
    column->addWidget(buildHeading());

    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setAccessibleName(QStringLiteral("Recognized text"));
    m_text->document()->setDocumentMargin(8);
    column->addWidget(m_text, 1);
    column->addWidget(buildCodesSection());
    column->addWidget(buildButtons());

    connect(&m_state.isShowingOCRSheet, &ObservableNotifier::changed, this, &RecognitionSheet::followState);
    connect(&m_state.recognizedText, &ObservableNotifier::changed, this, &RecognitionSheet::showResult);
    connect(&m_state.recognizedCodes, &ObservableNotifier::changed, this, &RecognitionSheet::showResult);
    connect(this, &QDialog::finished, this, [this] {
        if (m_state.isShowingOCRSheet())
            m_state.isShowingOCRSheet.set(false);
    });
    showResult();
}

QWidget* RecognitionSheet::buildHeading()
{
    const EditorColors colors = EditorTheme::colors(palette());
    auto* heading = new QWidget(this);
    auto* row = new QHBoxLayout(heading);
    row->setContentsMargins(0, 0, 0, 4);
    row->setSpacing(12);
    auto* symbol = new QLabel(heading);
    symbol->setPixmap(ToolIcons::bundledIcon(QStringLiteral("text.viewfinder"), colors.accent).pixmap(34, 34));
    row->addWidget(symbol, 0, Qt::AlignTop);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    auto* title = new QLabel(QStringLiteral("Recognized Content"), heading);
    title->setObjectName(QStringLiteral("sheetTitle"));
    titles->addWidget(title);
    auto* subtitle = new QLabel(QStringLiteral("Text and QR codes found in this screenshot"), heading);
    subtitle->setProperty("secondary", true);
    titles->addWidget(subtitle);
    row->addLayout(titles, 1);
    return heading;
}

QWidget* RecognitionSheet::buildCodesSection()
{
    const EditorColors colors = EditorTheme::colors(palette());
    m_codesSection = new QWidget(this);
    auto* column = new QVBoxLayout(m_codesSection);
    column->setContentsMargins(0, 4, 0, 0);
    column->setSpacing(6);
    auto* titleRow = new QHBoxLayout;
    auto* symbol = new QLabel(m_codesSection);
    symbol->setPixmap(ToolIcons::bundledIcon(QStringLiteral("qrcode"), colors.secondaryText).pixmap(16, 16));
    titleRow->addWidget(symbol);
    auto* title = new QLabel(QStringLiteral("QR Codes"), m_codesSection);
    title->setObjectName(QStringLiteral("sectionTitle"));
    titleRow->addWidget(title, 1);
    column->addLayout(titleRow);
    m_codes = new QListWidget(m_codesSection);
    m_codes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    column->addWidget(m_codes);
    return m_codesSection;
}

QWidget* RecognitionSheet::buildButtons()
{
    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 4, 0, 0);
    row->addStretch(1);
    auto* copy = new QPushButton(QStringLiteral("Copy Again"), buttons);
    copy->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &RecognitionSheet::copyAgain);
    row->addWidget(copy);
    auto* close = new QPushButton(QStringLiteral("Close"), buttons);
    close->setDefault(true);
    // Keyboard focus starts on Close, so the text area is not shown as being edited.
    close->setFocus(Qt::OtherFocusReason);
    connect(close, &QPushButton::clicked, this, [this] { m_state.isShowingOCRSheet.set(false); });
    row->addWidget(close);
    return buttons;
}

void RecognitionSheet::copyAgain()
{
    m_clipboard.setText(m_state.recognizedText());
    m_state.statusMessage.set(QStringLiteral("Copied OCR text"));
}

void RecognitionSheet::followState()
{
    if (m_state.isShowingOCRSheet()) {
        showResult();
        if (!isVisible())
            open();
    } else if (isVisible()) {
        reject();
    }
}

void RecognitionSheet::showResult()
{
    if (m_text->toPlainText() != m_state.recognizedText())
        m_text->setPlainText(m_state.recognizedText());
    m_codes->clear();
    m_codes->addItems(m_state.recognizedCodes());
    // As tall as its codes, up to four rows; more scroll.
    const int rows = std::clamp(int(m_state.recognizedCodes().size()), 1, 4);
    m_codes->setFixedHeight(rows * (m_codes->fontMetrics().height() + 10) + 8);
    m_codesSection->setVisible(!m_state.recognizedCodes().isEmpty());
}
