// Pictures of the EEPROM window against the demo installation, for the documentation. Not a
// test; run it on a screen of the size the windows are made for:
//   xvfb-run -a -s "-screen 0 1366x768x24" ./memory_shots <directory>

#include "shots.h"
#include "windowbench.h"

#include <QApplication>
#include <QDir>

using namespace zelmar;
using shots::save;
using shots::settle;

namespace {

// A logging EEPROM: records of a few bytes from 1000 on, the rest erased.
void logbuch(QByteArray& m) {
    for (int a = 1000; a < 1120; a += 8) {
        const int n = (a - 1000) / 8;
        const char satz[8] = {
            char(n),          char(12), char(5 + n / 4), char(7 + n % 24), char(200 + n),
            char(n * 3 % 40), 'T',      char(0)};
        for (int k = 0; k < 8; ++k)
            m[a + k] = satz[k];
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    bool ok = true;
    {
        // Hex display in repeat mode: the values changed since the last pass are yellow.
        WindowBench b(fenster::EEPROM_EXTERN_65K);
        logbuch(b.sim->eeprom(80)->memory());
        b.w->move(0, 0);
        b.t.link.SLAVE_ADRESSE = 80;
        settle(200);
        b.click(QStringLiteral("Option_GRÖSSER_256_BYTE"));
        b.click(QStringLiteral("Option_HEX"));
        b.type(QStringLiteral("Text_EERPROM_STARTADRESSE_DEZIMAL"), QStringLiteral("1000"));
        b.click(QStringLiteral("Check_REPEAD"));
        b.atFrame(2, [&] {
            QByteArray& m = b.sim->eeprom(80)->memory();
            for (int a : {1003, 1011, 1019, 1061, 1120, 1121})
                m[a] = char(quint8(m.at(a)) + 1);
        });
        b.atFrame(5, [&] {
            settle(150);
            ok &= save(b.w, dir + QStringLiteral("/eeprom.png"));
            b.click(QStringLiteral("Check_REPEAD"));
        });
        b.click(QStringLiteral("Command_lesen"));
        b.waitForJobs();
    }
    {
        // A complete read-out under way, at the pace of a 19200-baud line.
        WindowBench b(fenster::EEPROM_EXTERN_65K);
        logbuch(b.sim->eeprom(80)->memory());
        b.t.port.setPacing(true);
        b.w->move(0, 0);
        b.t.link.SLAVE_ADRESSE = 80;
        b.click(QStringLiteral("Option_GRÖSSER_256_BYTE"));
        b.type(QStringLiteral("Text_EERPROM_STARTADRESSE_DEZIMAL"), QStringLiteral("1000"));
        b.clickAndWait(QStringLiteral("Command_lesen"));
        b.click(QStringLiteral("Command_KOMLETT_AUSLESEN"));
        settle(14000);
        ok &= save(b.w, dir + QStringLiteral("/eeprom-auslesen.png"));
        b.click(QStringLiteral("Command_ABBRECHEN"));
        b.waitForJobs(5000);
    }
    return ok ? 0 : 1;
}
