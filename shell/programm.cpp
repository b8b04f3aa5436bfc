#include "programm.h"

#include "appcontext.h"
#include "hauptwindow.h"
#include "logbooks.h"
#include "settingsfiles.h"
#include "systemservices.h"
#include "windowcatalog.h"

#include <QDir>

namespace zelmar {

HauptWindow* Main(AppContext& ctx, const QString& programDir) {
    registerAllWindows(ctx.windows);

    ctx.setProgrammPfad(programDir);
    QDir().mkpath(ctx.DATEN_PFAD); // failure shows later as silent logbook writes
    ctx.useTwiLogbook();
    LOGBUCH_START(ctx.DATEN_PFAD, ctx.system.now(), ctx.locale);
    loadSettingsInto(ctx.link, ctx.PROGRAMM_PFAD); // settings.ini, then PROGRAMM.ini
    SLAVE_INFO_INI_LADEN(ctx.PROGRAMM_PFAD, ctx.slaves);
    ctx.link.SLAVE_ADRESSE = 127;
    ctx.link.STATUS_TEXT = QStringLiteral("PROGRAMMSTART");

    auto* haupt = new HauptWindow(ctx);
    haupt->setAttribute(Qt::WA_DeleteOnClose);
    ctx.windows.adopt(QStringLiteral("HAUPT"), haupt);
    haupt->show();
    return haupt;
}

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
