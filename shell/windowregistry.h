#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace zelmar {

class AppContext;

// The program's windows by their names ("KONFIGURATION", "HILFE", ...). A window is made by
// its factory when it is opened and is gone when it closes (unloads); opening one that is
// open brings it forward. Windows that this build does not have stay known by name only, so
// menus can show their entries greyed.
class WindowRegistry {
public:
    using Factory = std::function<QWidget*(AppContext&)>;

    explicit WindowRegistry(AppContext& ctx) : m_ctx(ctx) {}
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    void add(const QString& name, Factory factory);
    bool available(const QString& name) const { return m_factories.contains(name); }

    // Not modal; an open window is shown and raised instead. Null when the window is missing.
    QWidget* show(const QString& name);
    // Application modal over everything else, without blocking the caller; `closed` runs
    // once the window has gone.
    QWidget* showModal(const QString& name, std::function<void()> closed = {});

    // A window made elsewhere (the main window) that should be found by its name.
    void adopt(const QString& name, QWidget* window);
    // The open window of that name; a closed one is not found, even before it is deleted.
    QWidget* find(const QString& name) const;

    // The tool tip of a menu entry or button whose window is missing from this build.
    static QString notAvailableTip(const QString& name);

private:
    QWidget* create(const QString& name);

    AppContext& m_ctx;
    QHash<QString, Factory> m_factories;
    QHash<QString, QPointer<QWidget>> m_open;
};

} // namespace zelmar
