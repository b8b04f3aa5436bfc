#pragma once

#include "files/eepromdump.h"

#include <QCoreApplication>
#include <QString>

namespace zelmar {

// The status line of the long EEPROM jobs: "12k von 65k  (0)", the position and the chip's size
// (in thousands of bytes from 1000 bytes on, else in bytes) and the failed blocks or pages so
// far, after what the job does ("löschen "). `stand` is the position as the job shows it.
inline QString eepromFortschritt(const QString& taetigkeit, const QString& stand, int groesse,
                                 int fehler) {
    return taetigkeit + QCoreApplication::translate("zelmar::EepromFortschritt", "%1 von %2  (%3)")
                            .arg(groesse < 1000 ? stand : stand + QLatin1Char('k'),
                                 dump::groesseKurz(groesse), QString::number(fehler));
}

// The position in whole thousands, or in bytes on a chip below 1000 bytes.
inline QString eepromStand(int position, int groesse) {
    return QString::number(groesse < 1000 ? position : position / 1000);
}

} // namespace zelmar
