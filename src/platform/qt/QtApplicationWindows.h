#pragma once

#include "ports/ApplicationWindowsPort.h"

#include <QObject>

#include <map>
#include <memory>
#include <set>

class QWidget;
class QtEditorWindow;

// Our top-level widgets. A window's level is its "trovixWindowLevel" property when it sets
// one, else what its flags say: bypassing the window manager is an overlay, a pop-up is a
// menu, staying on top is floating, anything else is normal.
class QtApplicationWindows : public QObject, public ApplicationWindowsPort {
    Q_OBJECT
public:
    explicit QtApplicationWindows(QObject* parent = nullptr);
    ~QtApplicationWindows() override;

    // Qt does not know the window system's stacking order; the list is in creation order.
    [[nodiscard]] QList<ApplicationWindow> windows() const override;
    [[nodiscard]] std::optional<std::uintptr_t> idOf(const EditorWindowPort& editor) const override;
    [[nodiscard]] EditorWindowPort* editorWindowFor(std::uintptr_t id) override;
    void orderOut(std::uintptr_t id) override;
    void orderFrontRegardless(std::uintptr_t id) override;
    void setIgnoresMouseEvents(std::uintptr_t id, bool ignores) override;

    [[nodiscard]] static int levelOf(const QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QWidget* window(std::uintptr_t id) const;

    std::set<std::uintptr_t> m_ignoringMouse;
    std::map<std::uintptr_t, std::unique_ptr<QtEditorWindow>> m_editorViews;
};
