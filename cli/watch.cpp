// watch: the apartment display without its window, one line per whole pass.

#include "sitzung.h"

#include "jobs/apartmentsession.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonObject>

namespace zelmar::cli {

namespace {

using V = ApartmentValues;

// The rooms of ApartmentValues::raum, named as the display and the log name them.
const char* const kRaeume[V::RAUM_SLAVES.size()] = {"WZ", "AZ", "KÜCHE"};

QString zahlText(double v) {
    if (v == 0)
        v = 0; // no "-0"
    return QLocale::c().toString(v, 'f', QLocale::FloatingPointShortest);
}

QString uhrzeitText(const std::optional<std::pair<int, int>>& t) {
    return t ? QStringLiteral("%1:%2").arg(t->first).arg(t->second, 2, 10, QLatin1Char('0'))
             : QString();
}

// The central unit's clock is the apartment's time.
QString uhrDes(const V& v, size_t i) {
    return i == 0 ? v.zeit : v.zeitSlave[i];
}

QJsonValue json(const std::optional<double>& w) {
    return w ? QJsonValue(*w) : QJsonValue(QJsonValue::Null);
}
QJsonValue json(const QString& t) {
    return t.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(t);
}

QJsonObject jsonZeile(const V& v, int durchgang, const QDateTime& zeit) {
    QJsonArray raeume;
    for (size_t r = 0; r < V::RAUM_SLAVES.size(); ++r)
        raeume << QJsonObject{{QStringLiteral("room"), QString::fromUtf8(kRaeume[r])},
                              {QStringLiteral("address"), V::RAUM_SLAVES[r]},
                              {QStringLiteral("temperature"), json(v.raum[r].temperatur)},
                              {QStringLiteral("heating"), json(v.raum[r].heizung)}};
    QJsonArray slaves;
    for (size_t i = 0; i < V::SLAVES.size(); ++i)
        slaves << QJsonObject{{QStringLiteral("address"), V::SLAVES[i]},
                              {QStringLiteral("present"), v.vorhanden[i]},
                              {QStringLiteral("clock"), json(uhrDes(v, i))}};
    return QJsonObject{
        {QStringLiteral("pass"), durchgang},
        {QStringLiteral("at"), zeit.toString(Qt::ISODate)},
        {QStringLiteral("date"), json(v.datum)},
        {QStringLiteral("time"), json(v.zeit)},
        {QStringLiteral("outside"), json(v.aussentemperatur)},
        {QStringLiteral("pressure"), json(v.luftdruck)},
        {QStringLiteral("sun"), json(v.sonne)},
        {QStringLiteral("sunrise"), json(uhrzeitText(v.sonnenaufgang))},
        {QStringLiteral("sunset"), json(uhrzeitText(v.sonnenuntergang))},
        {QStringLiteral("rooms"), raeume},
        {QStringLiteral("slaves"), slaves},
    };
}

// What the display shows, "---" for what could not be read as there.
QString textZeile(const V& v, const QDateTime& zeit) {
    const QString fehlt = QStringLiteral("---");
    const auto text = [&](const QString& t) { return t.isEmpty() ? fehlt : t; };
    const auto wert = [&](const std::optional<double>& w, const char* einheit) {
        return w ? zahlText(*w) + QString::fromUtf8(einheit) : fehlt;
    };
    QStringList teile{zeit.toString(QStringLiteral("HH:mm:ss")),
                      QStringLiteral("date ") + text(v.datum),
                      QStringLiteral("time ") + text(v.zeit),
                      QStringLiteral("outside ") + wert(v.aussentemperatur, " °C"),
                      QStringLiteral("pressure ") + wert(v.luftdruck, " mbar"),
                      QStringLiteral("sun ") + wert(v.sonne, ""),
                      QStringLiteral("sunrise ") + text(uhrzeitText(v.sonnenaufgang)),
                      QStringLiteral("sunset ") + text(uhrzeitText(v.sonnenuntergang))};
    for (size_t r = 0; r < V::RAUM_SLAVES.size(); ++r)
        teile << QString::fromUtf8(kRaeume[r]) + QLatin1Char(' ') +
                     wert(v.raum[r].temperatur, " °C") + QStringLiteral(" heating ") +
                     wert(v.raum[r].heizung, " °C");
    QStringList da, fort, uhren;
    for (size_t i = 0; i < V::SLAVES.size(); ++i) {
        (v.vorhanden[i] ? da : fort) << QString::number(V::SLAVES[i]);
        if (i > 0)
            uhren << QString::number(V::SLAVES[i]) + QLatin1Char(' ') + text(v.zeitSlave[i]);
    }
    teile << QStringLiteral("present ") + (da.isEmpty() ? fehlt : da.join(QLatin1Char(' ')));
    if (!fort.isEmpty())
        teile << QStringLiteral("absent ") + fort.join(QLatin1Char(' '));
    teile << QStringLiteral("clocks ") + uhren.join(QStringLiteral(", "));
    return teile.join(QStringLiteral("  "));
}

} // namespace

int watch(Sitzung& s, const QStringList&) {
    if (!s.verbinden())
        return FEHLER;
    const int anzahl = s.optionen().anzahl.value_or(0); // 0: until interrupted
    const QString daten = s.datenPfad();
    ApartmentSession wohnung(s.link(), s, daten, s.locale());
    bool logFehler = false;
    QObject::connect(&wohnung, &ApartmentSession::verlaufFehler,
                     [&](const QString& pfad, const datei::Grund& grund) {
                         logFehler = true;
                         s.melden(QCoreApplication::translate(
                                      "zelmar::cli", "the VERLAUF log cannot be written: %1: %2")
                                      .arg(pfad, grundText(grund)),
                                  FEHLER);
                     });
    QObject::connect(&wohnung, &ApartmentSession::passDone, [&](const ApartmentValues& v) {
        const int n = wohnung.passes();
        const QDateTime jetzt = s.now();
        if (s.optionen().json)
            s.out() << QJsonDocument(jsonZeile(v, n, jetzt)).toJson(QJsonDocument::Compact);
        else
            s.out() << textZeile(v, jetzt);
        s.out() << Qt::endl;
        if (n == anzahl)
            wohnung.setRepeat(false);
    });
    bool abgebrochen = false;
    QEventLoop warten;
    QObject::connect(&wohnung, &ApartmentSession::ended, [&](bool a) {
        abgebrochen = a;
        warten.quit();
    });
    wohnung.holen(anzahl != 1);
    Sitzung::laeuft(wohnung.fetch());
    warten.exec();
    Sitzung::laeuft(nullptr);

    if (anzahl > 0 && wohnung.passes() >= anzahl)
        return logFehler ? FEHLER : ERFOLG;
    if (abgebrochen)
        return s.melden(
            QCoreApplication::translate("zelmar::cli", "watch interrupted after %1 passes")
                .arg(wohnung.passes()),
            FEHLER);
    // The link refused a frame and has said why.
    return FEHLER;
}

} // namespace zelmar::cli
