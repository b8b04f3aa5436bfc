#include "programm.h"

#include "appcontext.h"
#include "logbooks.h"
#include "settingsfiles.h"
#include "systemservices.h"

namespace zelmar {

void PROGRAMM_BEENDEN(AppContext& ctx) {
    if (ctx.MSComm1().isOpen())
        ctx.MSComm1().close();
    saveProgrammIni(ctx.link, ctx.PROGRAMM_PFAD);
    LOGBUCH_ENDE(ctx.DATEN_PFAD, ctx.system.now(), ctx.locale);
    SLAVE_INFO_INI_SPEICHERN(ctx.PROGRAMM_PFAD, ctx.slaves);
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
