#pragma once

#include <QObject>
#include <QWidget>

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

// The one way a window connects a control (or timer) to its handler: the handler runs inside an
// UnloadGate::Scope, so it may wait on the link while the window is closed around it.
template <typename Sender, typename Signal, typename W>
QMetaObject::Connection guardedConnect(const Sender* sender, Signal signal, W* handlerOwner,
                                       void (W::*handler)()) {
    return QObject::connect(sender, signal, handlerOwner, [handlerOwner, handler] {
        UnloadGate::Scope scope(handlerOwner);
        (handlerOwner->*handler)();
    });
}

// A handler taking the signal's argument (an index, a check state).
template <typename Sender, typename Signal, typename W, typename A>
QMetaObject::Connection guardedConnect(const Sender* sender, Signal signal, W* handlerOwner,
                                       void (W::*handler)(A)) {
    return QObject::connect(sender, signal, handlerOwner, [handlerOwner, handler](A a) {
        UnloadGate::Scope scope(handlerOwner);
        (handlerOwner->*handler)(a);
    });
}

// A handler taking two arguments of the signal (a point and whether the pointer is on it).
template <typename Sender, typename Signal, typename W, typename A, typename B>
QMetaObject::Connection guardedConnect(const Sender* sender, Signal signal, W* handlerOwner,
                                       void (W::*handler)(A, B)) {
    return QObject::connect(sender, signal, handlerOwner, [handlerOwner, handler](A a, B b) {
        UnloadGate::Scope scope(handlerOwner);
        (handlerOwner->*handler)(a, b);
    });
}

// A member of a control array: the handler gets the member's index.
template <typename Sender, typename Signal, typename W>
QMetaObject::Connection guardedConnect(const Sender* sender, Signal signal, W* handlerOwner,
                                       void (W::*handler)(int), int index) {
    return QObject::connect(sender, signal, handlerOwner, [handlerOwner, handler, index] {
        UnloadGate::Scope scope(handlerOwner);
        (handlerOwner->*handler)(index);
    });
}

} // namespace zelmar
