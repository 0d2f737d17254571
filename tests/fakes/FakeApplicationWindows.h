#pragma once

#include "fakes/FakeEditorWindow.h"
#include "ports/ApplicationWindowsPort.h"

#include <QStringList>

#include <algorithm>
#include <map>
#include <set>

// Our windows as a list, front to back. The window with `editorId` is the fake editor: its
// visibility is the editor's own. Every call is logged as "<what> <id>" in order.
class FakeApplicationWindows : public ApplicationWindowsPort {
public:
    QList<ApplicationWindow> list;
    FakeEditorWindow* editor = nullptr;
    std::uintptr_t editorId = 0;
    std::set<std::uintptr_t> ignoringMouse;
    QStringList calls;
    std::map<std::uintptr_t, FakeEditorWindow> views;

    // Registers the fake editor as the front window titled "Trovix".
    void addEditor(FakeEditorWindow& window, std::uintptr_t id)
    {
        editor = &window;
        editorId = id;
        list.prepend({ .id = id, .title = QStringLiteral("Trovix"), .isVisible = false, .level = WindowLevel::normal });
    }

    [[nodiscard]] QList<ApplicationWindow> windows() const override
    {
        QList<ApplicationWindow> result = list;
        for (ApplicationWindow& window : result) {
            if (editor && window.id == editorId)
                window.isVisible = editor->visible;
        }
        return result;
    }
    [[nodiscard]] std::optional<std::uintptr_t> idOf(const EditorWindowPort& window) const override
    {
        if (editor && &window == editor)
            return editorId;
        for (const auto& [id, view] : views) {
            if (&window == &view)
                return id;
        }
        return std::nullopt;
    }
    // The fake editor for its id, else a fake window of its own for any listed id.
    EditorWindowPort* editorWindowFor(std::uintptr_t id) override
    {
        if (editor && id == editorId)
            return editor;
        const bool listed = std::any_of(
            list.cbegin(), list.cend(), [id](const ApplicationWindow& window) { return window.id == id; });
        return listed ? &views[id] : nullptr;
    }
    void orderOut(std::uintptr_t id) override
    {
        calls.append(QStringLiteral("out %1").arg(id));
        if (editor && id == editorId)
            editor->visible = false;
        setVisible(id, false);
    }
    void orderFrontRegardless(std::uintptr_t id) override
    {
        calls.append(QStringLiteral("front %1").arg(id));
        if (editor && id == editorId)
            editor->visible = true;
        setVisible(id, true);
    }
    void setIgnoresMouseEvents(std::uintptr_t id, bool ignores) override
    {
        calls.append(
            QStringLiteral("%1 %2").arg(ignores ? QStringLiteral("ignore") : QStringLiteral("accept")).arg(id));
        if (ignores)
            ignoringMouse.insert(id);
        else
            ignoringMouse.erase(id);
    }

    [[nodiscard]] bool isVisible(std::uintptr_t id) const
    {
        const QList<ApplicationWindow> all = windows();
        return std::any_of(all.cbegin(), all.cend(),
            [id](const ApplicationWindow& window) { return window.id == id && window.isVisible; });
    }

private:
    void setVisible(std::uintptr_t id, bool visible)
    {
        for (ApplicationWindow& window : list) {
            if (window.id == id)
                window.isVisible = visible;
        }
    }
};
