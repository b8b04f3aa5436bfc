#pragma once

#include <QLocale>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace zelmar {

// "#,##0": rounded to a whole number (halves away from zero), thousands grouped in the
// locale's manner, also in locales that leave grouping off by default.
QString formatGrouped(double value, const QLocale& locale);

// "0.0", "0.00", ...: fixed decimals with the locale's decimal separator.
QString formatFixed(double value, int decimals, const QLocale& locale);

// Upper-case hexadecimal with at least `digits` digits ("0A", "00FF").
QString hexText(quint32 value, int digits = 2);

// A whole number typed by the user: optional blanks around it and an optional sign; nothing
// else. False for empty text, fractions, exponents or anything that does not fit in an int.
bool parseWholeNumber(const QString& text, int* value);
// A byte a user typed to be written: decimal digits 0..255 and blanks around them; no sign, no
// hex, no character.
bool parseDecimalByte(const QString& text, quint8* value);

// The character of a byte as the PC's code page 1252 shows it; a byte that has no visible
// character there (a control code, an unassigned one) shows as the replacement character.
QString ansiZeichen(quint8 byte);

// Text setters for ticks: they touch the control only when the text changes.
void setTextIfChanged(QLineEdit* w, const QString& text);
void setTextIfChanged(QLabel* w, const QString& text);
void setTextIfChanged(QComboBox* w, const QString& text);
void setTitleIfChanged(QWidget* w, const QString& title);

} // namespace zelmar
