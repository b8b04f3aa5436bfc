#include "logbooks.h"

#include "systemservices.h"
#include "textfile.h"
#include "texts.h"

#include <QCoreApplication>

namespace zelmar {

namespace {

constexpr int kPrintZone = 14;

QString stamp(const QDateTime& now, const QLocale& locale) {
    return dateText(now.date(), locale) + QLatin1Char(' ') + timeText(now.time(), locale);
}

bool appendToLogbook(const QString& datenPfad, const QDateTime& now, const QLocale& locale,
                     const char* event, datei::Grund* grund) {
    return textfile::appendLine(textfile::inDir(datenPfad, QStringLiteral("LOGBUCH.txt")),
                                stamp(now, locale) + QStringLiteral("   ") + QLatin1String(event),
                                grund);
}

// Moves to the start of the next print zone (columns 1, 15, 29, ...). When the line already
// ends on a zone boundary the next item follows directly: the trailing blank of the number
// before it keeps the two apart, and a whole empty zone would only widen the line.
void toNextZone(QString& line) {
    const int rest = line.size() % kPrintZone;
    if (rest != 0)
        line += QString(kPrintZone - rest, QLatin1Char(' '));
}

} // namespace

bool LOGBUCH_START(const QString& datenPfad, const QDateTime& now, const QLocale& locale,
                   datei::Grund* grund) {
    return appendToLogbook(datenPfad, now, locale, "START", grund);
}

bool LOGBUCH_ENDE(const QString& datenPfad, const QDateTime& now, const QLocale& locale,
                  datei::Grund* grund) {
    return appendToLogbook(datenPfad, now, locale, "ENDE", grund);
}

QString twiLogbookLine(const FrameLogEntry& entry, const QDateTime& now, const QLocale& locale) {
    QString line = stamp(now, locale) + QLatin1Char(' ') + printForm(entry.befehl, locale);
    const double zones[] = {double(entry.slaveAdresse), double(entry.reserve),
                            entry.anzahlSenden,         entry.anzahlEmpfangen,
                            double(entry.daten[0]),     double(entry.daten[1]),
                            double(entry.daten[2]),     double(entry.daten[3])};
    for (const double value : zones) {
        toNextZone(line);
        line += printForm(value, locale);
    }
    return line;
}

bool LOGBUCH_TWI_EINTRAG(const QString& datenPfad, const FrameLogEntry& entry, const QDateTime& now,
                         const QLocale& locale, datei::Grund* grund) {
    return textfile::appendLine(textfile::inDir(datenPfad, QStringLiteral("LOGBUCH_TWI.txt")),
                                twiLogbookLine(entry, now, locale), grund);
}

TwiLogbook::TwiLogbook(QString datenPfad, const SystemServices& services, QLocale locale,
                       std::function<void(const QString&)> failed)
    : m_datenPfad(std::move(datenPfad)), m_services(services), m_locale(std::move(locale)),
      m_failed(std::move(failed)) {}

void TwiLogbook::logFrame(const FrameLogEntry& entry) {
    datei::Grund grund;
    const bool ok = LOGBUCH_TWI_EINTRAG(m_datenPfad, entry, m_services.now(), m_locale, &grund);
    if (!ok && !m_failing && m_failed)
        m_failed(nichtGeschrieben(m_datenPfad + QStringLiteral("LOGBUCH_TWI.txt"), grund));
    m_failing = !ok;
}

QString nichtGeschrieben(const QString& pfad, const datei::Grund& grund) {
    return pfad +
           QCoreApplication::translate("zelmar::datei",
                                       "\r\n\r\nkonnte nicht geschrieben werden: ") +
           grund.text();
}

QString nichtGeschrieben(const QList<std::pair<QString, datei::Grund>>& dateien) {
    if (dateien.size() == 1)
        return nichtGeschrieben(dateien.first().first, dateien.first().second);
    QStringList zeilen;
    for (const auto& [pfad, grund] : dateien)
        zeilen << pfad + QStringLiteral(" (") + grund.text() + QLatin1Char(')');
    return zeilen.join(QStringLiteral("\r\n")) +
           QCoreApplication::translate("zelmar::datei", "\r\n\r\nkonnten nicht geschrieben werden");
}

} // namespace zelmar
