#include "verlaufdatei.h"

#include "textfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>

namespace zelmar::verlauf {

namespace {

const QByteArray kBom = QByteArrayLiteral("\xEF\xBB\xBF");
const QByteArray kZeilenende = QByteArrayLiteral("\r\n");
const QString kPrefix = QStringLiteral("VERLAUF_");
const QString kEndung = QStringLiteral(".csv");
const QString kTagFormat = QStringLiteral("yyyy-MM-dd");

constexpr Format kDeutsch{';', ','};
constexpr Format kSonst{',', '.'};

QString zahl(double v, char komma) {
    if (v == 0)
        v = 0; // no "-0"
    QString s = QLocale::c().toString(v, 'f', QLocale::FloatingPointShortest);
    if (komma != '.')
        s.replace(QLatin1Char('.'), QLatin1Char(komma));
    return s;
}

// Where the last complete row ends: our rows end with a line end, so bytes after the last one
// are a row that was cut short. -1 when the file cannot be read.
qint64 vollstaendigBis(QFile& f) {
    qint64 ende = f.size();
    constexpr qint64 kStueck = 4096;
    while (ende > 0) {
        const qint64 von = std::max<qint64>(0, ende - kStueck);
        if (!f.seek(von))
            return -1;
        const QByteArray stueck = f.read(ende - von);
        if (stueck.size() != ende - von)
            return -1;
        const qsizetype nl = stueck.lastIndexOf('\n');
        if (nl >= 0)
            return von + nl + 1;
        ende = von;
    }
    return 0;
}

int ziffern(const char* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

// "HH:mm:ss", the hour also with one digit as spreadsheets may write it.
QTime zeitAus(const char* p, qsizetype n) {
    if (n != 7 && n != 8)
        return {};
    const int h = ziffern(p, int(n) - 6);
    const char* r = p + n - 6;
    if (h < 0 || r[0] != ':' || r[3] != ':')
        return {};
    const int m = ziffern(r + 1, 2);
    const int s = ziffern(r + 4, 2);
    if (m < 0 || s < 0)
        return {};
    return QTime(h, m, s); // invalid when out of range
}

// False for a cell that is neither empty nor a number.
bool wertAus(const char* p, qsizetype n, char komma, std::optional<double>& wert) {
    wert.reset();
    while (n > 0 && p[0] == ' ')
        ++p, --n;
    while (n > 0 && p[n - 1] == ' ')
        --n;
    if (n == 0)
        return true;
    char puffer[40];
    if (n >= qsizetype(sizeof puffer))
        return false;
    std::copy(p, p + n, puffer);
    std::replace(puffer, puffer + n, komma, '.');
    double v = 0;
    const auto [ende, fehler] = std::from_chars(puffer, puffer + n, v);
    if (fehler != std::errc() || ende != puffer + n || !std::isfinite(v))
        return false;
    wert = v;
    return true;
}

bool zeileParsen(const char* p, qsizetype n, const Format& format, Zeile& zeile) {
    const char* const ende = p + n;
    const char* zelle = p;
    int index = -1; // -1: the time
    while (true) {
        const char* z = std::find(zelle, ende, format.trenner);
        if (index < 0) {
            zeile.zeit = zeitAus(zelle, z - zelle);
            if (!zeile.zeit.isValid())
                return false;
        } else if (index >= WERTE || !wertAus(zelle, z - zelle, format.komma, zeile.werte[index])) {
            return false;
        }
        ++index;
        if (z == ende)
            break;
        zelle = z + 1;
    }
    return index == WERTE;
}

} // namespace

// The names are the file's column heads; the window shows them translated.
const std::array<Spalte, WERTE>& spalten() {
    static const QString grad = QStringLiteral("°C");
    static const std::array<Spalte, WERTE> s{{
        {QStringLiteral(QT_TRANSLATE_NOOP("zelmar::VerlaufWindow", "WZ Temperatur")), grad,
         Art::Temperatur},
        {QStringLiteral(QT_TRANSLATE_NOOP("zelmar::VerlaufWindow", "AZ Temperatur")), grad,
         Art::Temperatur},
        {QStringLiteral(QT_TRANSLATE_NOOP("zelmar::VerlaufWindow", "KÜCHE Temperatur")), grad,
         Art::Temperatur},
        {QStringLiteral(QT_TRANSLATE_NOOP("zelmar::VerlaufWindow", "Außentemperatur")), grad,
         Art::Temperatur},
        {QStringLiteral(QT_TRANSLATE_NOOP("zelmar::VerlaufWindow", "WZ Heizung")), grad,
         Art::Temperatur},
        {QStringLiteral(QT_TRANSLATE_NOOP("zelmar::VerlaufWindow", "AZ Heizung")), grad,
         Art::Temperatur},
        {QStringLiteral(QT_TRANSLATE_NOOP("zelmar::VerlaufWindow", "KÜCHE Heizung")), grad,
         Art::Temperatur},
        {QStringLiteral(QT_TRANSLATE_NOOP("zelmar::VerlaufWindow", "Luftdruck")),
         QStringLiteral("mbar"), Art::Luftdruck},
        {QStringLiteral(QT_TRANSLATE_NOOP("zelmar::VerlaufWindow", "Sonne")), QString(),
         Art::Sonne},
    }};
    return s;
}

bool Zeile::hatWerte() const {
    return std::any_of(werte.begin(), werte.end(), [](const auto& w) { return w.has_value(); });
}

QString dateiname(const QDate& tag) {
    return kPrefix + tag.toString(kTagFormat) + kEndung;
}

QDate tagAusDateiname(const QString& name) {
    if (!name.startsWith(kPrefix) || !name.endsWith(kEndung))
        return {};
    return QDate::fromString(name.mid(kPrefix.size(), kTagFormat.size()), kTagFormat);
}

Format Format::fuer(const QLocale& locale) {
    return locale.language() == QLocale::German ? kDeutsch : kSonst;
}

QString kopfzeile(const Format& format) {
    QString kopf = QStringLiteral("Zeit");
    for (const Spalte& s : spalten()) {
        kopf += QLatin1Char(format.trenner) + s.name;
        if (!s.einheit.isEmpty())
            kopf += QStringLiteral(" [") + s.einheit + QLatin1Char(']');
    }
    return kopf;
}

QString zeilenText(const Zeile& zeile, const Format& format) {
    QString text = zeile.zeit.toString(QStringLiteral("HH:mm:ss"));
    for (const auto& w : zeile.werte) {
        text += QLatin1Char(format.trenner);
        if (w)
            text += zahl(*w, format.komma);
    }
    return text;
}

bool anhaengen(const QString& pfad, const Zeile& zeile, const QLocale& locale,
               datei::Grund* grund) {
    QFile f;
    if (!datei::oeffnen(f, pfad, QIODevice::ReadWrite | QIODevice::Unbuffered, grund))
        return false;
    const auto fehlschlag = [&] {
        if (grund) {
            grund->art = datei::Grund::Art::System;
            grund->fehlernummer = errno != 0 ? errno : EIO;
        }
        return false;
    };
    errno = 0;
    const qint64 ende = vollstaendigBis(f);
    if (ende < 0 || (ende != f.size() && !f.resize(ende)))
        return fehlschlag();

    Format format = Format::fuer(locale);
    QByteArray bytes;
    if (ende == 0) {
        // UTF-8 with its mark, so spreadsheets read the umlauts and the degree sign right.
        bytes = kBom + kopfzeile(format).toUtf8() + kZeilenende;
    } else {
        if (!f.seek(0))
            return fehlschlag();
        format = f.readLine(4096).contains(';') ? kDeutsch : kSonst;
    }
    bytes += zeilenText(zeile, format).toUtf8() + kZeilenende;
    if (f.seek(ende) && f.write(bytes) == bytes.size())
        return true;
    fehlschlag();
    f.resize(ende);
    return false;
}

QVector<Zeile> lesen(const QString& pfad) {
    QVector<Zeile> zeilen;
    QFile f;
    if (!datei::oeffnen(f, pfad, QIODevice::ReadOnly))
        return zeilen;
    QByteArray daten = f.read(textfile::MAX_LESEN);
    if (daten.startsWith(kBom))
        daten.remove(0, kBom.size());
    const char* p = daten.constData();
    const char* const ende = p + daten.size();
    const char* kopfEnde = std::find(p, ende, '\n');
    const Format format = std::find(p, kopfEnde, ';') != kopfEnde ? kDeutsch : kSonst;

    zeilen.reserve(int(std::count(p, ende, '\n')));
    Zeile z;
    while (p < ende) {
        const char* nl = std::find(p, ende, '\n');
        if (nl == ende)
            break; // cut short
        const char* zeilenEnde = nl > p && nl[-1] == '\r' ? nl - 1 : nl;
        if (zeileParsen(p, zeilenEnde - p, format, z))
            zeilen.append(z);
        p = nl + 1;
    }
    const auto frueher = [](const Zeile& a, const Zeile& b) { return a.zeit < b.zeit; };
    if (!std::is_sorted(zeilen.begin(), zeilen.end(), frueher))
        std::stable_sort(zeilen.begin(), zeilen.end(), frueher);
    return zeilen;
}

TagesUhr::TagesUhr(const QDate& tag) : m_tag(tag) {
    const QDateTime anfang = tag.startOfDay();
    m_mitternacht = anfang.toMSecsSinceEpoch();
    m_gleicherVersatz =
        anfang.time() == QTime(0, 0) && anfang.offsetFromUtc() == tag.endOfDay().offsetFromUtc();
}

qint64 TagesUhr::ms(const QTime& zeit) const {
    if (m_gleicherVersatz)
        return m_mitternacht + zeit.msecsSinceStartOfDay();
    return QDateTime(m_tag, zeit).toMSecsSinceEpoch();
}

} // namespace zelmar::verlauf
