#include "start.h"

#include "windowcatalog.h"

#include "files/logbooks.h"
#include "files/settingsfiles.h"
#include "files/systemservices.h"
#include "shell/appcontext.h"
#include "shell/hauptwindow.h"
#include "shell/windownames.h"
#include "ui/prompter.h"

#include <QCoreApplication>
#include <QDir>

namespace zelmar {

HauptWindow* Main(AppContext& ctx, const QString& programmPfad) {
    registerAllWindows(ctx.windows);

    ctx.setProgrammPfad(programmPfad);
    QDir().mkpath(ctx.DATEN_PFAD); // a failure shows as the logbook's message below
    ctx.useTwiLogbook();
    datei::Grund grund;
    if (!LOGBUCH_START(ctx.DATEN_PFAD, ctx.system.now(), ctx.locale, &grund))
        ctx.prompter.message(
            nichtGeschrieben(ctx.DATEN_PFAD + QStringLiteral("LOGBUCH.txt"), grund));
    QList<Einstellungswarnung> warnungen;
    loadSettingsInto(ctx.link, ctx.PROGRAMM_PFAD, &warnungen); // settings.ini, then PROGRAMM.ini
    if (const auto ports = portsIniWarnung(ctx.PROGRAMM_PFAD, ctx.link.COM_PORT_NR))
        warnungen << *ports;
    // Said once, and the program goes on with what it uses instead.
    if (!warnungen.isEmpty()) {
        QStringList zeilen{QCoreApplication::translate(
            "zelmar::Start", "Einstellungen, die nicht verwendet werden:")};
        for (const Einstellungswarnung& w : warnungen)
            zeilen << w.text();
        ctx.prompter.message(zeilen.join(QStringLiteral("\r\n")));
    }
    SLAVE_INFO_INI_LADEN(ctx.PROGRAMM_PFAD, ctx.slaves);
    ctx.link.SLAVE_ADRESSE = 127;
    ctx.link.STATUS_TEXT = QCoreApplication::translate("zelmar::Start", "PROGRAMMSTART");

    auto* haupt = new HauptWindow(ctx);
    haupt->setAttribute(Qt::WA_DeleteOnClose);
    ctx.windows.adopt(fenster::HAUPT, haupt);
    haupt->show();
    return haupt;
}

} // namespace zelmar
