#pragma once

#include <QObject>

class QWidget;

namespace zelmar {

// A window's handlers may wait inside the transaction engine, in a message box or in a pause,
// and other handlers run meanwhile. One of those may close (unload) the window. The gate keeps
// the window's objects alive until the last of its waiting handlers has returned: the window
// disappears at once and is deleted afterwards.
class UnloadGate : public QObject {
    Q_OBJECT
public:
    // Marks a handler of the window that holds `w` as running, for its lifetime.
    class Scope {
    public:
        explicit Scope(QWidget* w);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        UnloadGate* m_gate;
    };

    // Handlers of the window running right now.
    int active() const { return m_active; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit UnloadGate(QWidget* window);
    static UnloadGate* of(QWidget* w);
    void leave();

    QWidget* m_window;
    int m_active = 0;
    bool m_deletePending = false;
};

} // namespace zelmar
