// Pictures of the SRAM and REGISTER windows of slave 8 in the demo installation, for the
// documentation. Not a test; run it on a screen of the size the windows are made for:
//   xvfb-run -s "-screen 0 1366x768x24" ./atmega8_shots <directory> [--language en]

#include "shots.h"
#include "windowbench.h"

#include <QApplication>
#include <QDir>

using namespace zelmar;
using shots::save;
using shots::settle;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = shots::argumente(); // [directory] [--language en]
    const QString dir = args.isEmpty() ? QDir::currentPath() : args.at(0);
    bool ok = true;
    {
        WindowBench b;
        b.t.link.SLAVE_ADRESSE = 8;
        b.t.slaves.SLAVE_NAME[8] = QStringLiteral("ZENTRALE");
        b.open(QStringLiteral("SRAM"));
        b.w->move(0, 0);
        settle(300);
        b.waitForJobs();
        ok &= save(b.w, dir + QStringLiteral("/sram.png"));
    }
    {
        WindowBench b;
        b.t.link.SLAVE_ADRESSE = 8;
        b.t.slaves.SLAVE_NAME[8] = QStringLiteral("ZENTRALE");
        const QStringList notizen = {QString(),
                                     QString(),
                                     QStringLiteral("Uhr: Sekunden"),
                                     QStringLiteral("Uhr: Minuten"),
                                     QStringLiteral("Uhr: Stunden"),
                                     QStringLiteral("Datum: Tag"),
                                     QStringLiteral("Datum: Monat"),
                                     QStringLiteral("Datum: Jahr")};
        QStringList zeilen;
        for (int k = 0; k < 32; ++k)
            zeilen << (k < notizen.size() && !notizen[k].isEmpty() ? notizen[k]
                       : k == 24 ? QStringLiteral("Messwert 0 low")
                       : k == 25 ? QStringLiteral("Messwert 0 high")
                       : k == 26 ? QStringLiteral("X: Anfrage-Puffer")
                       : k >= 30 ? QStringLiteral("Z: Lesezeiger")
                                 : QString());
        QFile f(b.t.ctx.DATEN_PFAD + QStringLiteral("REGISTER_BEMERKUNGEN_008.txt"));
        if (f.open(QIODevice::WriteOnly))
            f.write(zeilen.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        f.close();
        b.open(QStringLiteral("REGISTER"));
        b.w->move(0, 0);
        settle(300);
        b.waitForJobs();
        settle(200);
        ok &= save(b.w, dir + QStringLiteral("/register.png"));
    }
    return ok ? 0 : 1;
}
