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

} // namespace zelmar
