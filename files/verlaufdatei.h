#pragma once

#include "dateien.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QVector>

#include <array>
#include <optional>

// The daily log of the apartment's measured values, "VERLAUF_<yyyy-MM-dd>.csv" in the data
// directory: a header row, then one row per fetch with its time and the values the apartment
// display shows. No widgets here, so the log is written and read the same way headless.
namespace zelmar::verlauf {

enum class Art { Temperatur, Luftdruck, Sonne };

struct Spalte {
    QString name;    // legend and header
    QString einheit; // empty: the value has no unit
    Art art;
};

// The values in the order of their columns: the rooms, outside, the heating values, pressure
// and sun. The bathroom is left out: nothing is read for it.
constexpr int WERTE = 9;
const std::array<Spalte, WERTE>& spalten();

struct Zeile {
    QTime zeit;
    std::array<std::optional<double>, WERTE> werte;

    // True when at least one value was read.
    bool hatWerte() const;
};

QString dateiname(const QDate& tag);
// The day a log file holds, by its name; invalid for other files.
QDate tagAusDateiname(const QString& name);

// Spreadsheets in a German locale expect ";" between cells and "," as the decimal mark,
// elsewhere "," and ".".
struct Format {
    char trenner = ',';
    char komma = '.';
    static Format fuer(const QLocale& locale);
};

QString kopfzeile(const Format& format);
// A failed value is an empty cell, never 0.
QString zeilenText(const Zeile& zeile, const Format& format);

// Appends the row, with the header first when the file is new or empty, in one write. A row a
// crash cut short at the end of the file is removed first, so it cannot run into the new one;
// an existing file keeps the format of its header. False (with the reason) when the row could
// not be written whole; the file is then left as it was. Only a regular file is written to.
bool anhaengen(const QString& pfad, const Zeile& zeile, const QLocale& locale,
               datei::Grund* grund = nullptr);

// The rows of a log file in the order of their times. Rows that do not parse (cut short,
// edited by hand) are skipped; a missing file has none.
QVector<Zeile> lesen(const QString& pfad);

// Milliseconds since the epoch of the times of one day, as the chart's time axis counts them;
// quick for the many rows of a day, and right across a daylight-saving change.
class TagesUhr {
public:
    explicit TagesUhr(const QDate& tag);
    qint64 ms(const QTime& zeit) const;

private:
    QDate m_tag;
    qint64 m_mitternacht = 0;
    bool m_gleicherVersatz = true;
};

} // namespace zelmar::verlauf
