#include "programm.h"

#include "appcontext.h"
#include "files/logbooks.h"
#include "files/settingsfiles.h"
#include "files/systemservices.h"

#include "ui/prompter.h"

namespace zelmar {

void PROGRAMM_BEENDEN(AppContext& ctx) {
    if (ctx.MSComm1().isOpen())
        ctx.MSComm1().close();
    // What could not be saved is said before the program goes; the earlier files stay as they
    // were.
    QList<std::pair<QString, datei::Grund>> fehler;
    datei::Grund grund;
    if (!saveProgrammIni(ctx.link, ctx.PROGRAMM_PFAD, &grund))
        fehler.append({ctx.PROGRAMM_PFAD + QStringLiteral("PROGRAMM.ini"), grund});
    if (!LOGBUCH_ENDE(ctx.DATEN_PFAD, ctx.system.now(), ctx.locale, &grund))
        fehler.append({ctx.DATEN_PFAD + QStringLiteral("LOGBUCH.txt"), grund});
    if (!SLAVE_INFO_INI_SPEICHERN(ctx.PROGRAMM_PFAD, ctx.slaves, &grund))
        fehler.append({ctx.PROGRAMM_PFAD + QStringLiteral("SLAVE_INFO.ini"), grund});
    if (!fehler.isEmpty())
        ctx.prompter.message(nichtGeschrieben(fehler));
    ctx.system.endProcess();
}

QString STATUS_ZEILE(const AppContext& ctx, int kind) {
    const Link& link = ctx.link;
    const QString port = QStringLiteral("PORT:") + QString::number(link.COM_PORT_NR);
    const QString gap = QStringLiteral("    ");
    switch (kind) {
    case 0:
        return ctx.exeName +
               QStringLiteral("V%1.%2 ").arg(ZELMAR_VERSION_MAJOR).arg(ZELMAR_VERSION_REVISION) +
               port + QStringLiteral(" (") + QString::number(link.SLAVE_ADRESSE) +
               QLatin1Char(')') + gap + link.STATUS_TEXT;
    case 1: {
        // Every address a byte can hold must be safe here, not only the 128 of the bus.
        const int a = link.SLAVE_ADRESSE;
        const QString name = a < SlaveDirectory::ANZAHL ? ctx.slaves.SLAVE_NAME[a] : QString();
        return port + QStringLiteral(" (") + QString::number(a) + QLatin1Char('-') + name +
               QLatin1Char(')') + gap + link.STATUS_TEXT;
    }
    case 2:
        return link.STATUS_TEXT;
    default:
        return QString();
    }
}

} // namespace zelmar
