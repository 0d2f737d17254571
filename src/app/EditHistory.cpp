#include "app/EditHistory.h"

#include <unordered_set>

void EditHistory::record(DocumentSnapshot before, const QString& name, std::optional<QUuid> gestureKey)
{
    m_redo.clear();
    if (gestureKey && m_openGesture == gestureKey && !m_undo.empty())
        return;
    m_openGesture = gestureKey;
    m_undo.push_back({ std::move(before), name });
    enforceBudget();
}

std::optional<DocumentSnapshot> EditHistory::undo(DocumentSnapshot current)
{
    m_openGesture.reset();
    if (m_undo.empty())
        return std::nullopt;
    Step step = std::move(m_undo.back());
    m_undo.pop_back();
    m_redo.push_back({ std::move(current), step.name });
    return std::move(step.document);
}

std::optional<DocumentSnapshot> EditHistory::redo(DocumentSnapshot current)
{
    m_openGesture.reset();
    if (m_redo.empty())
        return std::nullopt;
    Step step = std::move(m_redo.back());
    m_redo.pop_back();
    m_undo.push_back({ std::move(current), step.name });
    return std::move(step.document);
}

std::optional<QString> EditHistory::undoName() const
{
    return m_undo.empty() ? std::nullopt : std::optional(m_undo.back().name);
}

std::optional<QString> EditHistory::redoName() const
{
    return m_redo.empty() ? std::nullopt : std::optional(m_redo.back().name);
}

std::int64_t EditHistory::pictureBytes() const
{
    std::unordered_set<qint64> counted;
    std::int64_t bytes = 0;
    const auto count = [&](const Step& step) {
        const std::optional<Image>& image = step.document.image;
        if (image && counted.insert(image->identity()).second)
            bytes += std::int64_t(image->pixels().sizeInBytes());
    };
    for (const Step& step : m_undo)
        count(step);
    for (const Step& step : m_redo)
        count(step);
    return bytes;
}

void EditHistory::enforceBudget()
{
    // Pictures are few and large, so recounting after each edit costs nothing worth saving.
    while (!m_undo.empty() && pictureBytes() > m_pictureBudget)
        m_undo.pop_front();
}
