#include "windowregistry.h"

#include "windownames.h"

#include <QCoreApplication>

namespace zelmar {

WindowRegistry::~WindowRegistry() {
    // Main window last: the others may still look at it while they go.
    QPointer<QWidget> haupt = m_open.value(fenster::HAUPT);
    for (auto it = m_open.begin(); it != m_open.end(); ++it)
        if (it.value() && it.value() != haupt)
            delete it.value().data();
    delete haupt.data();
}

void WindowRegistry::add(const QString& name, Factory factory) {
    m_factories.insert(name, std::move(factory));
}

QWidget* WindowRegistry::create(const QString& name) {
    const auto factory = m_factories.constFind(name);
    if (factory == m_factories.constEnd())
        return nullptr;
    QWidget* w = (*factory)(m_ctx);
    if (!w)
        return nullptr;
    w->setAttribute(Qt::WA_DeleteOnClose);
    m_open.insert(name, w);
    return w;
}

QWidget* WindowRegistry::show(const QString& name) {
    QWidget* w = find(name);
    if (!w)
        w = create(name);
    if (!w)
        return nullptr;
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

QWidget* WindowRegistry::showModal(const QString& name, std::function<void()> closed) {
    QWidget* w = find(name);
    if (!w)
        w = create(name);
    if (!w)
        return nullptr;
    if (closed)
        QObject::connect(w, &QObject::destroyed, [closed = std::move(closed)] { closed(); });
    w->setWindowModality(Qt::ApplicationModal);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

void WindowRegistry::adopt(const QString& name, QWidget* window) {
    m_open.insert(name, window);
}

QWidget* WindowRegistry::find(const QString& name) const {
    QWidget* w = m_open.value(name).data();
    // A window closed while one of its handlers still waits is hidden until that handler has
    // returned; it is gone for the user, and opening the window again makes a new one.
    return w && w->isVisible() ? w : nullptr;
}

QString WindowRegistry::notAvailableTip(const QString& name) {
    return QCoreApplication::translate("zelmar::WindowRegistry",
                                       "Das Fenster %1 ist in dieser Version noch nicht verfügbar.")
        .arg(name);
}

} // namespace zelmar
