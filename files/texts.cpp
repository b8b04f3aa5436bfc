#include "texts.h"

#include <QDate>
#include <QTime>

#include <cmath>
#include <cstdlib>
#include <string>

namespace zelmar {

QString printForm(double value, const QLocale& locale) {
    if (value == 0) // also -0
        return QStringLiteral(" 0 ");
    QString digits;
    const double magnitude = std::fabs(value);
    if (!std::isfinite(value)) {
        digits = std::isnan(value) ? QStringLiteral("NaN") : QStringLiteral("Inf");
    } else if (magnitude < 1e15 && std::floor(magnitude) == magnitude) {
        digits = QString::number(static_cast<qint64>(magnitude));
    } else {
        digits = QString::number(magnitude, 'g', 15).toUpper();
        digits.replace(QLatin1Char('.'), locale.decimalPoint());
    }
    const QChar sign = value < 0 ? QLatin1Char('-') : QLatin1Char(' ');
    return sign + digits + QLatin1Char(' ');
}

double leadingNumber(QStringView text) {
    std::string number;
    bool digitsSeen = false;
    bool pointSeen = false;
    bool exponentSeen = false;
    bool exponentDigits = false;
    size_t exponentAt = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t')
            continue;
        if (u >= u'0' && u <= u'9') {
            number += char(u);
            (exponentSeen ? exponentDigits : digitsSeen) = true;
        } else if ((u == u'+' || u == u'-') &&
                   (number.empty() || (exponentSeen && number.size() == exponentAt))) {
            number += char(u);
        } else if (u == u'.' && !pointSeen && !exponentSeen) {
            number += '.';
            pointSeen = true;
        } else if ((u == u'e' || u == u'E' || u == u'd' || u == u'D') && digitsSeen &&
                   !exponentSeen) {
            number += 'e';
            exponentSeen = true;
            exponentAt = number.size();
        } else {
            break;
        }
    }
    if (!digitsSeen)
        return 0;
    if (exponentSeen && !exponentDigits) // "12e" is 12
        number.resize(exponentAt - 1);
    return std::strtod(number.c_str(), nullptr);
}

double nearestWhole(double value) {
    return std::nearbyint(value);
}

namespace {

// Walks a Qt date/time format and hands every unquoted run of one pattern letter to `run`,
// copying quoted literals unchanged.
template <typename F> QString rewritePattern(const QString& format, F run) {
    QString out;
    int i = 0;
    while (i < format.size()) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            const int close = format.indexOf(QLatin1Char('\''), i + 1);
            const int end = close < 0 ? format.size() : close + 1;
            out += format.mid(i, end - i);
            i = end;
            continue;
        }
        int j = i;
        while (j < format.size() && format.at(j) == c)
            ++j;
        out += run(c, j - i);
        i = j;
    }
    return out;
}

} // namespace

QString shortDateFormat(const QLocale& locale) {
    return rewritePattern(locale.dateFormat(QLocale::ShortFormat), [](QChar c, int n) {
        if (c == QLatin1Char('y') && n == 2)
            return QStringLiteral("yyyy");
        return QString(n, c);
    });
}

QString longTimeFormat(const QLocale& locale) {
    QString format = rewritePattern(locale.timeFormat(QLocale::LongFormat), [](QChar c, int n) {
        return c == QLatin1Char('t') ? QString() : QString(n, c);
    });
    // Some locales bracket the zone: "H:mm:ss (t)".
    format.remove(QStringLiteral("()"));
    format.remove(QStringLiteral("[]"));
    return format.simplified();
}

QString dateText(const QDate& date, const QLocale& locale) {
    return locale.toString(date, shortDateFormat(locale));
}

QString timeText(const QTime& time, const QLocale& locale) {
    return locale.toString(time, longTimeFormat(locale));
}

} // namespace zelmar
