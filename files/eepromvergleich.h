#pragma once

// What differs between what a file says (Soll) and what an EEPROM or a second file holds
// (Ist), and the report the user reads and may save.

#include "eepromimage.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <optional>

namespace zelmar {

struct EepromVergleich {
    // Rows the report keeps in full; beyond them only the count grows.
    static constexpr int MAX_ZEILEN = 1000;

    struct Unterschied {
        int adresse = 0;
        std::optional<quint8> soll; // empty: the address is not in the Soll side
        std::optional<quint8> ist;
    };

    int verglichen = 0; // addresses on either side
    int anzahl = 0;     // addresses that differ, or that only one side has
    QList<Unterschied> erste;

    bool gleich() const { return anzahl == 0; }

    // Every address either side gives: a value on one side only counts as a difference too.
    static EepromVergleich von(const EepromAbbild& soll, const EepromAbbild& ist);

    // "1 Unterschied", "0 Unterschiede".
    static QString anzahlText(int anzahl, const QLocale& locale);
    // The report: the head lines, how much was compared, the first `zeilen` differences as
    // address, Soll and Ist (hex and decimal), and their total count. CR LF line ends.
    QString bericht(const QString& kopf, int zeilen, const QLocale& locale) const;
};

} // namespace zelmar
