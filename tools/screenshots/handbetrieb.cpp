// A picture of the manual master window after a combined auto run against the demo installation,
// for the documentation. Not a test; run it on a screen of the size the windows are made for:
//   xvfb-run -s "-screen 0 1366x768x24" ./handbetrieb_shots <directory> [--language en]

#include "shots.h"
#include "windowbench.h"

#include "sim/serialeeprom.h"

#include <QApplication>
#include <QDir>

using namespace zelmar;
using shots::save;
using shots::settle;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = shots::argumente(); // [directory] [--language en]
    const QString dir = args.isEmpty() ? QDir::currentPath() : args.at(0);
    WindowBench b(fenster::HAND_BETRIEB);
    b.w->move(0, 0);
    // Something to read behind the two bytes the transmitter writes at 0x0010.
    b.sim->eeprom(80)->memory().replace(0x12, 4, QByteArray("TWI!"));
    b.t.link.SLAVE_ADRESSE = 80;
    settle(200);
    const char* daten[4][2] = {
        {"Text_E", "0"}, {"Text_G", "16"}, {"Text_I", "65"}, {"Text_K", "66"}};
    for (const auto& d : daten)
        b.type(QLatin1String(d[0]), QLatin1String(d[1]));
    b.clickAndWait(QStringLiteral("Command1"));
    settle(300);
    return save(b.w, dir + QStringLiteral("/handbetrieb.png")) ? 0 : 1;
}
