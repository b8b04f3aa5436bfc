#pragma once

#include <QCoreApplication>
#include <QString>

namespace zelmar {

// The status line of the long EEPROM jobs: "12k von 65k  (0)", the position in thousands of
// bytes and the failed blocks or pages so far, after what the job does ("löschen ").
inline QString eepromFortschritt(const QString& taetigkeit, const QString& tausend, int fehler) {
    return taetigkeit + tausend +
           QCoreApplication::translate("zelmar::EepromFortschritt", "k von 65k  (") +
           QString::number(fehler) + QLatin1Char(')');
}

} // namespace zelmar
