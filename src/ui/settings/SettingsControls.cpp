#include "ui/settings/SettingsControls.h"

#include <QCheckBox>
#include <QLineEdit>

namespace SettingsControls {

QCheckBox* switchFor(Observable<bool>& field, const QString& text, const QString& key, QWidget* owner)
{
    auto* box = new QCheckBox(text, owner);
    box->setObjectName(key);
    auto show = [box, &field] {
        const QSignalBlocker blocker(box);
        box->setChecked(field.get());
    };
    show();
    QObject::connect(&field, &ObservableNotifier::changed, box, show);
    QObject::connect(box, &QCheckBox::toggled, box, [&field](bool checked) { field.set(checked); });
    return box;
}

QLineEdit* textFieldFor(Observable<QString>& field, const QString& placeholder, const QString& key, QWidget* owner)
{
    auto* edit = new QLineEdit(owner);
    edit->setObjectName(key);
    edit->setPlaceholderText(placeholder);
    edit->setClearButtonEnabled(true);
    auto show = [edit, &field] {
        // Setting the same text again would move the cursor of someone typing.
        if (edit->text() != field.get()) {
            const QSignalBlocker blocker(edit);
            edit->setText(field.get());
        }
    };
    show();
    QObject::connect(&field, &ObservableNotifier::changed, edit, show);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [&field, edit] {
        if (field.get() != edit->text())
            field.set(edit->text());
    });
    return edit;
}

QComboBox* textChoiceFor(Observable<QString>& field, const QStringList& choices, const QString& key, QWidget* owner)
{
    Options<QString> options;
    for (const QString& choice : choices)
        options.emplace_back(choice, choice);
    return choiceFor(field, std::move(options), key, owner);
}

} // namespace SettingsControls
