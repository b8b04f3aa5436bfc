// Pictures of the home windows against the demo installation, for the documentation. Not a
// test; run it on a screen of the size the windows are made for:
//   xvfb-run -s "-screen 0 1366x768x24" ./home_shots <directory> [--language en]

#include "shots.h"
#include "windowbench.h"

#include "jobs/apartmentfetch.h"
#include "sim/atmega8slave.h"
#include "sim/simclock.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>

using namespace zelmar;
using shots::save;
using shots::settle;

namespace {

// The simulation's time running `faktor` times as fast as the wall clock: a morning of the
// heating in a minute.
class Zeitraffer : public sim::SimClock {
public:
    explicit Zeitraffer(double faktor) : m_faktor(faktor) { m_echt.start(); }
    qint64 nowUs() const override { return qint64(m_echt.nsecsElapsed() / 1000 * m_faktor); }

private:
    QElapsedTimer m_echt;
    double m_faktor;
};

// The trend window after a morning of "repead", the program's clock in step with the
// installation's.
bool verlaufBild(const QString& dir) {
    Zeitraffer zeit(240);
    WindowBench b(WindowBench::Geraete::Keine);
    b.sim = std::make_unique<sim::VirtualInstallation>(b.t.port, sim::Scenario::demo(), &zeit);
    const QDateTime anfang(QDate::currentDate(), QTime(8, 0));
    for (int a : ApartmentValues::SLAVES)
        b.sim->slave(a)->setClock(anfang, zeit.nowUs());
    QTimer uhr;
    QObject::connect(&uhr, &QTimer::timeout,
                     [&] { b.t.system.clock = anfang.addMSecs(zeit.nowUs() / 1000); });
    uhr.start(20);

    b.open(fenster::WOHNUNG);
    b.click(QStringLiteral("Check_REPEAD"));
    b.click(QStringLiteral("Command_DATEN_HOLEN"));
    b.click(QStringLiteral("Command_VERLAUF"));
    QWidget* v = b.t.ctx.windows.find(fenster::VERLAUF);
    v->move(0, 0);
    v->resize(1100, 700);
    settle(60000);
    b.click(QStringLiteral("Check_REPEAD"));
    b.waitForJobs();
    settle(500);
    return save(v, dir + QStringLiteral("/verlauf.png"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = shots::argumente(); // [directory] [--language en]
    const QString dir = args.isEmpty() ? QDir::currentPath() : args.at(0);
    bool ok = true;
    {
        WindowBench b(QStringLiteral("WOHNUNG"));
        b.w->move(0, 0);
        settle(200);
        b.clickAndWait(QStringLiteral("Command_DATEN_HOLEN"));
        settle(300);
        ok &= save(b.w, dir + QStringLiteral("/wohnung.png"));
    }
    {
        WindowBench b(QStringLiteral("SLAVE_INFO"));
        const std::pair<int, const char*> namen[] = {
            {8, "ZENTRALE"},         {20, "WOHNZIMMER WZ"},   {40, "ARBEITSZIMMER AZ"},
            {44, "WETTERSTATION"},   {45, "SOLARANLAGE"},     {60, "KUECHE"},
            {65, "HEIZHAUS KESSEL"}, {66, "HEIZHAUS PUFFER"}, {80, "EEPROM LOGBUCH"},
            {81, "EEPROM KONFIG"}};
        for (const auto& [a, name] : namen) {
            b.t.slaves.SLAVE_NAME[a] = QString::fromLatin1(name);
            b.t.slaves.SLAVE_TYP[a] = a == 80 ? 2 : a == 81 ? 3 : 1;
        }
        delete b.w;
        b.w = b.t.ctx.windows.show(QStringLiteral("SLAVE_INFO"));
        b.w->move(0, 0);
        settle(200);
        QTest::mouseClick(b.child(QStringLiteral("Text_SLAVE_INFO_20")), Qt::LeftButton);
        b.clickAndWait(QStringLiteral("Command_SCANNER"));
        settle(200);
        ok &= save(b.w, dir + QStringLiteral("/slave_info.png"));
    }
    {
        // "Anlage prüfen" with the kitchen off line and 45 without a name.
        WindowBench b(QStringLiteral("SLAVE_INFO"));
        const std::pair<int, const char*> namen[] = {
            {8, "ZENTRALE"},         {20, "WOHNZIMMER WZ"},  {40, "ARBEITSZIMMER AZ"},
            {44, "WETTERSTATION"},   {60, "KUECHE"},         {65, "HEIZHAUS KESSEL"},
            {66, "HEIZHAUS PUFFER"}, {80, "EEPROM LOGBUCH"}, {81, "EEPROM KONFIG"}};
        for (const auto& [a, name] : namen)
            b.t.slaves.SLAVE_NAME[a] = QString::fromLatin1(name);
        b.sim->setDeviceOnline(60, false);
        delete b.w;
        b.w = b.t.ctx.windows.show(QStringLiteral("SLAVE_INFO"));
        b.w->move(0, 0);
        settle(200);
        QTest::mouseClick(b.child(QStringLiteral("Text_SLAVE_INFO_8")), Qt::LeftButton);
        b.clickAndWait(QStringLiteral("Command_ANLAGE_PRUEFEN"));
        settle(200);
        ok &= save(b.w, dir + QStringLiteral("/slave_info-pruefen.png"));
        std::printf("%s\n", qPrintable(b.t.prompter.messages().value(0)));
    }
    ok &= verlaufBild(dir);
    return ok ? 0 : 1;
}
