#pragma once

#include "app/Observable.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QString>

#include <algorithm>
#include <utility>
#include <vector>

class QCheckBox;
class QLineEdit;

// Controls bound to one settings field each: a user's change is written to the
// field at once (and so persisted), and a change made elsewhere is shown without
// being written back. Each control is named after the field's settings key.
namespace SettingsControls {

[[nodiscard]] QCheckBox* switchFor(Observable<bool>& field, const QString& text, const QString& key, QWidget* owner);

// Every edit is written, so closing the window never loses typed text.
[[nodiscard]] QLineEdit* textFieldFor(
    Observable<QString>& field, const QString& placeholder, const QString& key, QWidget* owner);

// A text chosen from fixed words and stored as that word. A stored text that is
// none of them selects nothing and stays as it is until the user picks one.
[[nodiscard]] QComboBox* textChoiceFor(
    Observable<QString>& field, const QStringList& choices, const QString& key, QWidget* owner);

// Choices share one width so that their rows line up.
inline constexpr int choiceWidth = 220;

template <typename T> using Options = std::vector<std::pair<T, QString>>;

// A value chosen from a list of cases, shown in the given order with their labels.
template <typename T>
[[nodiscard]] QComboBox* choiceFor(Observable<T>& field, Options<T> options, const QString& key, QWidget* owner)
{
    auto* combo = new QComboBox(owner);
    combo->setObjectName(key);
    combo->setMinimumWidth(choiceWidth);
    for (const auto& option : options)
        combo->addItem(option.second);
    auto show = [combo, &field, options] {
        const auto found = std::ranges::find(options, field.get(), &std::pair<T, QString>::first);
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(found == options.end() ? -1 : static_cast<int>(found - options.begin()));
    };
    show();
    QObject::connect(&field, &ObservableNotifier::changed, combo, show);
    QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [&field, options](int index) {
        if (index >= 0 && index < static_cast<int>(options.size()))
            field.set(options[static_cast<std::size_t>(index)].first);
    });
    return combo;
}

} // namespace SettingsControls
