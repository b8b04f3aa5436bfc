#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace zelmar {

// A value that could not be read is shown as missing, never as a measured 0.
inline QString fehltText() {
    return QStringLiteral("---");
}

// A number as the displays write it: the locale's decimal separator, as many decimals as the
// value has, no thousands grouping ("21,5", "-0,1", "1013").
QString zahlText(double value, const QLocale& locale);

// Value and unit ("21,5 °C"), or the missing mark.
QString messwertText(const std::optional<double>& value, const QString& einheit,
                     const QLocale& locale);

// A sun time from a slave's hour and minute bytes ("7:05").
QString uhrzeitText(int stunde, int minute);

// The radiator counts as running above 30 °C.
bool heizungLaeuft(const std::optional<double>& heizwert);

} // namespace zelmar
