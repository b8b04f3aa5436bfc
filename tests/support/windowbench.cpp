#include "windowbench.h"

#include "app/windowcatalog.h"
#include "jobs/job.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

using namespace zelmar;

WindowBench::WindowBench(Geraete geraete) {
    if (geraete == Geraete::Demo)
        sim = std::make_unique<sim::VirtualInstallation>(t.port);
    registerAllWindows(t.ctx.windows);
}

WindowBench::WindowBench(const QString& window, Geraete geraete) : WindowBench(geraete) {
    open(window);
}

WindowBench::WindowBench(const QString& window, const sim::Scenario& scenario)
    : WindowBench(Geraete::Keine) {
    sim = std::make_unique<sim::VirtualInstallation>(t.port, scenario);
    open(window);
}

WindowBench::~WindowBench() {
    // Jobs still under way end with the window, before the installation goes.
    if (w)
        w->close();
    for (Job* job : t.link.findChildren<Job*>())
        job->cancel();
    QTRY_VERIFY_WITH_TIMEOUT(!jobsRunning(), 20000);
}

QWidget* WindowBench::open(const QString& window) {
    w = t.ctx.windows.show(window);
    if (!w)
        qFatal("window %s missing", qPrintable(window));
    return w;
}

QWidget* bench::open(AppContext& ctx, const QString& window) {
    registerAllWindows(ctx.windows);
    QWidget* w = ctx.windows.show(window);
    if (!w)
        qFatal("window %s missing", qPrintable(window));
    return w;
}

QString WindowBench::text(const QString& name) const {
    QWidget* c = child(name);
    if (auto* e = qobject_cast<QLineEdit*>(c))
        return e->text();
    if (auto* l = qobject_cast<QLabel*>(c))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(c))
        return b->text();
    qFatal("%s has no text", qPrintable(name));
}

void bench::click(QWidget* w, const QString& name) {
    auto* b = child<QAbstractButton>(w, name);
    const bool marked = qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b);
    QTest::mouseClick(b, Qt::LeftButton, {},
                      marked ? QPoint(8, b->height() / 2) : b->rect().center());
}

void WindowBench::clickAndWait(const QString& name) {
    click(name);
    waitForJobs();
}

void WindowBench::type(const QString& name, const QString& text) {
    QLineEdit* e = box(name);
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    bench::type(e, text);
}

void bench::type(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
        QApplication::sendEvent(field, &release);
    }
}

void bench::tick(QWidget* w, const QString& timer) {
    QSignalSpy spy(child<QTimer>(w, timer), &QTimer::timeout);
    if (!spy.wait(1000))
        qFatal("%s does not tick", qPrintable(timer));
}

bool WindowBench::jobsRunning() const {
    for (const Job* job : t.link.findChildren<Job*>())
        if (job->running())
            return true;
    return false;
}

void WindowBench::waitForJobs(int ms) {
    QTRY_VERIFY_WITH_TIMEOUT(!jobsRunning(), ms);
}

QList<int> WindowBench::befehle() const {
    QList<int> b;
    for (const auto& e : t.frames.entries)
        b << e.befehl;
    return b;
}

void WindowBench::atFrame(int count, std::function<void()> action) {
    auto seen = std::make_shared<int>(0);
    auto conn = std::make_shared<QMetaObject::Connection>();
    *conn = QObject::connect(&t.link, &Link::frameSent, [=] {
        if (++*seen == count) {
            QObject::disconnect(*conn);
            QTimer::singleShot(0, action);
        }
    });
}

ConsoleBench::ConsoleBench(Geraete geraete, const QString& ansicht)
    : WindowBench(fenster::KONFIGURATION, geraete) {
    click(ansicht);
    tick();
}
