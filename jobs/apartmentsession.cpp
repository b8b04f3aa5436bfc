#include "apartmentsession.h"

#include "files/systemservices.h"
#include "files/textfile.h"

namespace zelmar {

namespace verlauf {

Zeile zeileAus(const ApartmentValues& w, const QTime& zeit) {
    Zeile z;
    z.zeit = QTime(zeit.hour(), zeit.minute(), zeit.second());
    for (size_t r = 0; r < w.raum.size(); ++r) {
        z.werte[r] = w.raum[r].temperatur;
        z.werte[4 + r] = w.raum[r].heizung;
    }
    z.werte[3] = w.aussentemperatur;
    z.werte[7] = w.luftdruck;
    z.werte[8] = w.sonne;
    return z;
}

} // namespace verlauf

ApartmentSession::ApartmentSession(Link& link, SystemServices& system, const QString& datenPfad,
                                   const QLocale& locale)
    : m_link(link), m_system(system), m_datenPfad(datenPfad), m_locale(locale) {}

// The fetch belongs to the link and may outlive us; it must not go on for nobody.
ApartmentSession::~ApartmentSession() {
    if (m_fetch)
        m_fetch->cancel();
}

bool ApartmentSession::holen(bool repeat, QObject* owner) {
    if (m_fetch)
        return false;
    m_fetch = new ApartmentFetch(m_link);
    if (owner)
        m_fetch->bindTo(owner);
    m_fetch->setRepeat(repeat);
    ApartmentFetch* f = m_fetch;
    connect(f, &ApartmentFetch::updated, this, [this, f] { emit updated(f->values()); });
    connect(f, &ApartmentFetch::passDone, this, &ApartmentSession::durchgang);
    connect(f, &Job::ended, this, [this, f] {
        m_fetch = nullptr;
        emit ended(f->cancelled());
    });
    emit started();
    f->start();
    return true;
}

void ApartmentSession::setRepeat(bool on) {
    if (m_fetch)
        m_fetch->setRepeat(on);
}

void ApartmentSession::abbrechen() {
    if (m_fetch)
        m_fetch->cancel();
}

QString ApartmentSession::pfad(const QDate& tag) const {
    return textfile::inDir(m_datenPfad, verlauf::dateiname(tag));
}

void ApartmentSession::durchgang(const ApartmentValues& werte) {
    ++m_durchgaenge;
    aufzeichnen(werte);
    emit passDone(werte);
}

void ApartmentSession::aufzeichnen(const ApartmentValues& werte) {
    const QDateTime jetzt = m_system.now();
    const verlauf::Zeile zeile = verlauf::zeileAus(werte, jetzt.time());
    if (!zeile.hatWerte())
        return;
    const QString ziel = pfad(jetzt.date());
    datei::Grund grund;
    if (m_verlauf && !verlauf::anhaengen(ziel, zeile, m_locale, &grund) && !m_gemeldet) {
        m_gemeldet = true;
        emit verlaufFehler(ziel, grund);
    }
    emit aufgezeichnet(jetzt.date(), zeile);
}

} // namespace zelmar
