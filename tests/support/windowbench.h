#pragma once

// A window of the program opened through the window registry on a test context, optionally with
// the demo installation behind the port, and the ways a user reaches its controls.

#include "testcontext.h"

#include "link/link.h"
#include "shell/windownames.h"
#include "sim/virtualinstallation.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

#include <functional>
#include <memory>

// The ways a user reaches a window's controls, for any window on any context.
namespace bench {

template <typename T = QWidget> T* child(const QWidget* w, const QString& name) {
    T* c = w ? w->findChild<T*>(name) : nullptr;
    if (!c)
        qFatal("no control %s", qPrintable(name));
    return c;
}
// Every window of the program registered on the context, and the named one shown.
QWidget* open(zelmar::AppContext& ctx, const QString& window);
// Option buttons and check boxes take clicks on their mark only.
void click(QWidget* w, const QString& name);
// Types like a keyboard would, umlauts included, at the cursor.
void type(QWidget* field, const QString& text);
// Waits for one whole tick of the window's timer.
void tick(QWidget* w, const QString& timer = QStringLiteral("Timer1"));

} // namespace bench

struct WindowBench {
    enum class Geraete { Demo, Keine };

    TestContext t;
    std::unique_ptr<zelmar::sim::VirtualInstallation> sim;
    QPointer<QWidget> w;

    // Every window of the program is registered; `open` shows one.
    explicit WindowBench(Geraete geraete = Geraete::Demo);
    // Opens the named window at once.
    explicit WindowBench(const QString& window, Geraete geraete = Geraete::Demo);
    // Opens the named window on an installation of its own.
    WindowBench(const QString& window, const zelmar::sim::Scenario& scenario);
    ~WindowBench();

    QWidget* open(const QString& window);

    template <typename T = QWidget> T* child(const QString& name) const {
        return bench::child<T>(w, name);
    }
    QLineEdit* box(const QString& name) const { return child<QLineEdit>(name); }
    QString text(const QString& name) const;
    int colour(const QString& name) const { return qbIndexOf(child(name)); }
    bool checked(const QString& name) const { return child<QAbstractButton>(name)->isChecked(); }
    bool enabled(const QString& name) const { return child(name)->isEnabled(); }

    void click(const QString& name) { bench::click(w, name); }
    // A click that starts a long operation, and the wait for it (and any other job) to end.
    void clickAndWait(const QString& name);
    // Replaces the field's text as typing would, umlauts included.
    void type(const QString& name, const QString& text);
    void tick(const QString& timer) { bench::tick(w, timer); }
    // Waits until no job of the link runs (fails the test after `ms`).
    void waitForJobs(int ms = 20000);
    bool jobsRunning() const;

    // The request frames of this test, as the TWI logbook would see them.
    QList<zelmar::FrameLogEntry>& frames() { return t.frames.entries; }
    QList<int> befehle() const;
    // Runs `action` from the event loop once the engine has sent `count` more frames, as a
    // user's click during a wait would.
    void atFrame(int count, std::function<void()> action);
};

// The console in the given view ("Option_TWI_PROFI" shows every panel), after one tick.
struct ConsoleBench : WindowBench {
    explicit ConsoleBench(Geraete geraete = Geraete::Demo,
                          const QString& ansicht = QStringLiteral("Option_TWI_PROFI"));
    void tick() { WindowBench::tick(QStringLiteral("Timer1")); }
};
