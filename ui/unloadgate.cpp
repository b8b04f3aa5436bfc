#include "unloadgate.h"

#include <QEvent>
#include <QWidget>

namespace zelmar {

UnloadGate::UnloadGate(QWidget* window) : QObject(window), m_window(window) {
    setObjectName(QStringLiteral("UnloadGate"));
    window->installEventFilter(this);
}

UnloadGate* UnloadGate::of(QWidget* w) {
    QWidget* window = w->window();
    auto* gate = window->findChild<UnloadGate*>(QString(), Qt::FindDirectChildrenOnly);
    return gate ? gate : new UnloadGate(window);
}

UnloadGate::Scope::Scope(QWidget* w) : m_gate(of(w)) {
    ++m_gate->m_active;
}

UnloadGate::Scope::~Scope() {
    m_gate->leave();
}

void UnloadGate::leave() {
    if (--m_active == 0 && m_deletePending) {
        m_deletePending = false;
        m_window->deleteLater();
    }
}

bool UnloadGate::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window) {
        if (event->type() == QEvent::DeferredDelete && m_active > 0) {
            // The window has closed and is hidden; its objects must outlive the handlers
            // still waiting further down the stack.
            m_deletePending = true;
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zelmar
