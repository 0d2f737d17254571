#pragma once

#include <QDialog>

class AppState;
class ClipboardPort;
class QLabel;
class QListWidget;
class QPlainTextEdit;

// The result of text recognition, attached to the editor window while the state says
// it is showing. Closing it in any way (Close, Esc, the window's close button) clears that.
class RecognitionSheet : public QDialog {
    Q_OBJECT
public:
    RecognitionSheet(AppState& state, ClipboardPort& clipboard, QWidget* parent);

    [[nodiscard]] QPlainTextEdit* textView() const { return m_text; }
    [[nodiscard]] QListWidget* codeList() const { return m_codes; }
    void copyAgain();

private:
    QWidget* buildHeading();
    QWidget* buildCodesSection();
    QWidget* buildButtons();
    void followState();
    void showResult();

    AppState& m_state;
    ClipboardPort& m_clipboard;
    QPlainTextEdit* m_text = nullptr;
    QWidget* m_codesSection = nullptr;
    QListWidget* m_codes = nullptr;
};
