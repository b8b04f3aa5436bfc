#include "format.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <cmath>

namespace zelmar {

QString formatGrouped(double value, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() & ~QLocale::OmitGroupSeparator);
    const double whole = std::round(value);
    if (std::isfinite(whole) && std::fabs(whole) < 9.0e18)
        return l.toString(static_cast<qlonglong>(whole));
    return l.toString(whole, 'f', 0);
}

QString formatFixed(double value, int decimals, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(l.numberOptions() | QLocale::OmitGroupSeparator);
    return l.toString(value, 'f', decimals);
}

QString hexText(quint32 value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

bool parseWholeNumber(const QString& text, int* value) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    int start = (t.at(0) == QLatin1Char('+') || t.at(0) == QLatin1Char('-')) ? 1 : 0;
    if (start == t.size())
        return false;
    for (int i = start; i < t.size(); ++i)
        if (t.at(i) < QLatin1Char('0') || t.at(i) > QLatin1Char('9'))
            return false;
    bool ok = false;
    const int v = t.toInt(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

void setTextIfChanged(QLineEdit* w, const QString& text) {
    if (w->text() != text)
        w->setText(text);
}

void setTextIfChanged(QLabel* w, const QString& text) {
    if (w->text() != text)
        w->setText(text);
}

void setTextIfChanged(QComboBox* w, const QString& text) {
    if (w->currentText() != text)
        w->setEditText(text);
}

void setTitleIfChanged(QWidget* w, const QString& title) {
    if (w->windowTitle() != title)
        w->setWindowTitle(title);
}

bool parseDecimalByte(const QString& text, quint8* value) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 3)
        return false;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const int v = t.toInt();
    if (v > 255)
        return false;
    *value = quint8(v);
    return true;
}

QString ansiZeichen(quint8 b) {
    // 0x80..0x9F of code page 1252; 0 where it has no character.
    static constexpr char16_t kCp1252[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    const QChar keins(QChar::ReplacementCharacter);
    if (b < 0x20 || b == 0x7F)
        return QString(keins);
    if (b >= 0x80 && b < 0xA0)
        return QString(kCp1252[b - 0x80] ? QChar(kCp1252[b - 0x80]) : keins);
    return QString(QChar(char16_t(b)));
}

} // namespace zelmar
