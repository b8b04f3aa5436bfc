// Pictures of the home windows against the demo installation, for the documentation. Not a
// test; run it on a screen of the size the windows are made for:
//   xvfb-run -s "-screen 0 1366x768x24" ./home_shots <directory>

#include "shots.h"
#include "windowbench.h"

#include <QApplication>
#include <QDir>

using namespace zelmar;
using shots::save;
using shots::settle;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
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
    return ok ? 0 : 1;
}
