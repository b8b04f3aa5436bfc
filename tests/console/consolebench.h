#pragma once

// The console opened on a test context, optionally with the demo installation behind its port,
// and the few ways a user reaches its controls.

#include "testcontext.h"

#include "console/konfigurationwindow.h"
#include "sim/virtualinstallation.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

struct ConsoleBench {
    enum class Geraete { Demo, Keine };

    TestContext t;
    std::unique_ptr<zelmar::sim::VirtualInstallation> sim;
    QPointer<zelmar::KonfigurationWindow> w;

    // `fenster` registers further windows before the console opens.
    explicit ConsoleBench(Geraete geraete = Geraete::Demo,
                          const QString& ansicht = QStringLiteral("Option_TWI_PROFI"),
                          const std::function<void(zelmar::WindowRegistry&)>& fenster = {}) {
        if (geraete == Geraete::Demo)
            sim = std::make_unique<zelmar::sim::VirtualInstallation>(t.port);
        if (fenster)
            fenster(t.ctx.windows);
        t.ctx.windows.add(QStringLiteral("KONFIGURATION"),
                          [](zelmar::AppContext& c) { return new zelmar::KonfigurationWindow(c); });
        w = static_cast<zelmar::KonfigurationWindow*>(
            t.ctx.windows.show(QStringLiteral("KONFIGURATION")));
        click(ansicht);
        tick();
    }

    template <typename T = QWidget> T* child(const QString& name) const {
        T* c = w ? w->findChild<T*>(name) : nullptr;
        if (!c)
            qFatal("no control %s", qPrintable(name));
        return c;
    }
    QLineEdit* box(const QString& name) const { return child<QLineEdit>(name); }
    QString text(const QString& name) const { return box(name)->text(); }
    int colour(const QString& name) const { return qbIndexOf(child(name)); }
    bool checked(const QString& name) const { return child<QAbstractButton>(name)->isChecked(); }

    // Option buttons and check boxes take clicks on their mark only.
    void click(const QString& name) {
        auto* b = child<QAbstractButton>(name);
        const bool marked = qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b);
        QTest::mouseClick(b, Qt::LeftButton, {},
                          marked ? QPoint(8, b->height() / 2) : b->rect().center());
    }
    // Replaces the field's text as typing would, umlauts included.
    void type(const QString& name, const QString& text) {
        QLineEdit* e = box(name);
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Delete);
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(e, &press);
            QApplication::sendEvent(e, &release);
        }
    }
    // Waits for one whole tick of the console.
    void tick() {
        QSignalSpy spy(child<QTimer>(QStringLiteral("Timer1")), &QTimer::timeout);
        if (!spy.wait(1000))
            qFatal("the console does not tick");
    }
    // The request frames of this test, as the TWI logbook would see them.
    QList<zelmar::FrameLogEntry>& frames() { return t.frames.entries; }
    QList<int> befehle() const {
        QList<int> b;
        for (const auto& e : t.frames.entries)
            b << e.befehl;
        return b;
    }
};
