#include "start.h"

#include "windowcatalog.h"

#include "shell/appcontext.h"
#include "shell/hauptwindow.h"
#include "shell/logbooks.h"
#include "shell/settingsfiles.h"
#include "shell/systemservices.h"
#include "shell/windownames.h"
#include "ui/prompter.h"

#include <QDir>

namespace zelmar {

HauptWindow* Main(AppContext& ctx, const QString& programmPfad) {
    registerAllWindows(ctx.windows);

    ctx.setProgrammPfad(programmPfad);
    QDir().mkpath(ctx.DATEN_PFAD); // a failure shows as the logbook's message below
    ctx.useTwiLogbook();
    if (!LOGBUCH_START(ctx.DATEN_PFAD, ctx.system.now(), ctx.locale))
        ctx.prompter.message(nichtGeschrieben(ctx.DATEN_PFAD + QStringLiteral("LOGBUCH.txt")));
    loadSettingsInto(ctx.link, ctx.PROGRAMM_PFAD); // settings.ini, then PROGRAMM.ini
    SLAVE_INFO_INI_LADEN(ctx.PROGRAMM_PFAD, ctx.slaves);
    ctx.link.SLAVE_ADRESSE = 127;
    ctx.link.STATUS_TEXT = QStringLiteral("PROGRAMMSTART");

    auto* haupt = new HauptWindow(ctx);
    haupt->setAttribute(Qt::WA_DeleteOnClose);
    ctx.windows.adopt(fenster::HAUPT, haupt);
    haupt->show();
    return haupt;
}

} // namespace zelmar
