#include "verlaufprotokoll.h"

#include "files/systemservices.h"
#include "files/textfile.h"
#include "shell/appcontext.h"

namespace zelmar {

namespace {

const char* const kName = "VERLAUF_PROTOKOLL";

} // namespace

VerlaufProtokoll::VerlaufProtokoll(AppContext& ctx) : QObject(&ctx.link), m_ctx(ctx) {
    setObjectName(QLatin1String(kName));
}

VerlaufProtokoll& VerlaufProtokoll::sitzung(AppContext& ctx) {
    auto* p =
        ctx.link.findChild<VerlaufProtokoll*>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
    return p ? *p : *new VerlaufProtokoll(ctx);
}

QString VerlaufProtokoll::pfad(const QDate& tag) const {
    return textfile::inDir(m_ctx.DATEN_PFAD, verlauf::dateiname(tag));
}

void VerlaufProtokoll::aufzeichnen(const ApartmentValues& werte) {
    const QDateTime jetzt = m_ctx.system.now();
    const verlauf::Zeile zeile = verlauf::zeileAus(werte, jetzt.time());
    if (!zeile.hatWerte())
        return;
    const QString ziel = pfad(jetzt.date());
    datei::Grund grund;
    if (!verlauf::anhaengen(ziel, zeile, m_ctx.locale, &grund) && !m_gemeldet) {
        m_gemeldet = true;
        m_ctx.prompter.message(tr("Der VERLAUF kann nicht geschrieben werden:\n") + ziel +
                               QLatin1Char('\n') + grund.text());
    }
    emit aufgezeichnet(jetzt.date(), zeile);
}

} // namespace zelmar
