#include "anzeigetexte.h"

namespace zelmar {

QString zahlText(double value, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator);
    if (value == 0)
        value = 0; // no "-0"
    return l.toString(value, 'f', QLocale::FloatingPointShortest);
}

QString messwertText(const std::optional<double>& value, const QString& einheit,
                     const QLocale& locale) {
    if (!value)
        return fehltText();
    return zahlText(*value, locale) + einheit;
}

QString uhrzeitText(int stunde, int minute) {
    // Minutes with two digits: "7:5" is easily taken for 7:50.
    return QString::number(stunde) + QLatin1Char(':') +
           QStringLiteral("%1").arg(minute, 2, 10, QLatin1Char('0'));
}

bool heizungLaeuft(const std::optional<double>& heizwert) {
    return heizwert && *heizwert > 30;
}

} // namespace zelmar
