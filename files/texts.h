#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

class QDate;
class QTime;

namespace zelmar {

// The print form of a number as the settings files and the TWI logbook carry it: the sign
// position (a blank when not negative, else "-"), the digits, a trailing blank (" 5 ", "-3 ").
// Whole numbers print without a fraction; others with the locale's decimal separator.
QString printForm(double value, const QLocale& locale = QLocale::c());

// The numeric value of the text's leading number (sign, digits, fraction, exponent), blanks
// anywhere ignored; 0 when the text does not start with a number. Out-of-range exponents give
// an infinite value, never an error.
double leadingNumber(QStringView text);

// Nearest whole number, ties to the even neighbour.
double nearestWhole(double value);

// The locale's short date format with a two-digit year widened to four digits.
QString shortDateFormat(const QLocale& locale);
// The locale's long time format without its time-zone part.
QString longTimeFormat(const QLocale& locale);

QString dateText(const QDate& date, const QLocale& locale);
QString timeText(const QTime& time, const QLocale& locale);

} // namespace zelmar
