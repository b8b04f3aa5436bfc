#include "eepromimage.h"

#include "eepromdump.h"

#include "link/memory.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <vector>

namespace zelmar {

EepromAbbild::EepromAbbild(int groesse) : m_werte(groesse, char(0xFF)), m_belegt(groesse) {}

EepromAbbild EepromAbbild::ausBytes(const QByteArray& bytes, int groesse) {
    EepromAbbild a(groesse);
    const int n = std::min<int>(bytes.size(), groesse);
    for (int i = 0; i < n; ++i)
        a.setzen(i, quint8(bytes.at(i)));
    return a;
}

void EepromAbbild::setzen(int adresse, quint8 wert) {
    if (!m_belegt.testBit(adresse)) {
        m_belegt.setBit(adresse);
        ++m_anzahl;
    }
    m_werte[adresse] = char(wert);
}

QList<EepromAbbild::Bereich> EepromAbbild::bereiche() const {
    QList<Bereich> out;
    for (int a = 0; a < groesse(); ++a) {
        if (!belegt(a))
            continue;
        if (!out.isEmpty() && out.last().bis == a - 1)
            out.last().bis = a;
        else
            out.append({a, a});
    }
    return out;
}

QList<EepromAbbild::Bereich> EepromAbbild::luecken() const {
    const QList<Bereich> b = bereiche();
    QList<Bereich> out;
    for (int i = 1; i < b.size(); ++i)
        out.append({b[i - 1].bis + 1, b[i].von - 1});
    return out;
}

QList<EepromAbbild::Bereich> EepromAbbild::ausgelassen() const {
    QList<Bereich> out;
    for (int a = 0; a < groesse(); ++a) {
        if (belegt(a))
            continue;
        if (!out.isEmpty() && out.last().bis == a - 1)
            out.last().bis = a;
        else
            out.append({a, a});
    }
    return out;
}

QByteArray EepromAbbild::bytes(int von, int n) const {
    return m_werte.mid(von, n);
}

namespace abbild {

namespace {

constexpr qint64 MAX_DATEI = 16 * 1024 * 1024;

// The file's lines without their ends; trailing empty lines do not count.
QList<QByteArray> zeilenVon(const QByteArray& inhalt) {
    QList<QByteArray> zeilen = inhalt.split('\n');
    for (QByteArray& z : zeilen)
        if (z.endsWith('\r'))
            z.chop(1);
    while (!zeilen.isEmpty() && zeilen.last().trimmed().isEmpty())
        zeilen.removeLast();
    return zeilen;
}

bool fehlschlag(Fehler* fehler, int zeile, const QString& grund) {
    if (fehler)
        *fehler = {zeile, grund, {}};
    return false;
}

// A dump line comes from any locale: the digits of the address are grouped by threes with
// whatever separator that locale uses (".", ",", "'", a blank, a narrow no-break space).
bool dumpAdresse(const QString& text, int* adresse) {
    QList<QString> gruppen{QString()};
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            gruppen.last() += c;
        else if (c.isLetter() || gruppen.last().isEmpty())
            return false;
        else
            gruppen.append(QString());
    }
    if (gruppen.first().isEmpty() || gruppen.last().isEmpty())
        return false;
    for (int i = 1; i < gruppen.size(); ++i)
        if (gruppen.at(i).size() != 3)
            return false;
    const QString ziffern = gruppen.join(QString());
    if (ziffern.size() > 9)
        return false;
    *adresse = ziffern.toInt();
    return true;
}

bool dezimalByte(const QString& text, int* wert) {
    if (text.isEmpty() || text.size() > 3)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    *wert = text.toInt();
    return *wert <= 255;
}

// One line per address from 0 on, each in its place: a line left out, repeated or moved would
// make a restore skip an address or write one twice, so none is taken.
bool dumpLesen(const QByteArray& inhalt, EepromAbbild* abbild, Fehler* fehler) {
    const QList<QByteArray> zeilen = zeilenVon(inhalt);
    if (zeilen.isEmpty())
        return fehlschlag(fehler, 0,
                          QCoreApplication::translate("zelmar::abbild", "Datei ist leer"));
    EepromAbbild a(abbild->groesse());
    const int groesse = a.groesse();
    for (int i = 0; i < zeilen.size(); ++i) {
        const int nr = i + 1;
        QString z = QString::fromUtf8(zeilen.at(i));
        // Written on an older system in its own code page.
        if (z.contains(QChar::ReplacementCharacter))
            z = QString::fromLatin1(zeilen.at(i));
        const int pfeil = z.indexOf(QLatin1String("===>"));
        if (pfeil < 0)
            return fehlschlag(
                fehler, nr,
                z.trimmed().isEmpty()
                    ? QCoreApplication::translate("zelmar::abbild", "leere Zeile")
                    : QCoreApplication::translate("zelmar::abbild",
                                                  "\"===>\" fehlt: keine Zeile eines Dumps"));
        int adresse = 0;
        if (!dumpAdresse(z.left(pfeil).trimmed(), &adresse))
            return fehlschlag(
                fehler, nr,
                QCoreApplication::translate("zelmar::abbild", "Adresse \"%1\" ist keine Zahl")
                    .arg(z.left(pfeil).trimmed()));
        if (adresse >= groesse)
            return fehlschlag(
                fehler, nr,
                QCoreApplication::translate("zelmar::abbild", "Adresse %1 liegt über %2")
                    .arg(adresse)
                    .arg(groesse - 1));
        const QString rest = z.mid(pfeil + 4).trimmed();
        if (rest.isEmpty())
            return fehlschlag(
                fehler, nr,
                QCoreApplication::translate("zelmar::abbild", "Zeile zu kurz: der Wert fehlt"));
        int wert = 0;
        if (!dezimalByte(rest, &wert))
            return fehlschlag(fehler, nr,
                              QCoreApplication::translate(
                                  "zelmar::abbild", "Wert \"%1\" ist keine Zahl von 0 bis 255")
                                  .arg(rest.left(20)));
        if (adresse < i)
            return fehlschlag(
                fehler, nr,
                QCoreApplication::translate("zelmar::abbild", "Adresse %1 steht schon in Zeile %2")
                    .arg(adresse)
                    .arg(adresse + 1));
        if (adresse > i)
            return fehlschlag(fehler, nr,
                              QCoreApplication::translate("zelmar::abbild",
                                                          "Adresse %1 fehlt (die Zeile nennt %2)")
                                  .arg(i)
                                  .arg(adresse));
        a.setzen(adresse, quint8(wert));
    }
    const int n = int(zeilen.size());
    if (n < groesse)
        return fehlschlag(
            fehler, 0,
            n + 1 < groesse
                ? QCoreApplication::translate("zelmar::abbild",
                                              "Datei endet nach Zeile %1: Adressen %1 bis %2 "
                                              "fehlen")
                      .arg(n)
                      .arg(groesse - 1)
                : QCoreApplication::translate("zelmar::abbild",
                                              "Datei endet nach Zeile %1: Adresse %2 fehlt")
                      .arg(n)
                      .arg(groesse - 1));
    *abbild = a;
    return true;
}

bool binaerLesen(const QByteArray& inhalt, EepromAbbild* abbild, Fehler* fehler) {
    if (inhalt.isEmpty())
        return fehlschlag(fehler, 0,
                          QCoreApplication::translate("zelmar::abbild", "Datei ist leer"));
    if (inhalt.size() > abbild->groesse())
        return fehlschlag(fehler, 0,
                          QCoreApplication::translate("zelmar::abbild",
                                                      "Datei ist mit %1 Byte größer als %2 Byte")
                              .arg(inhalt.size())
                              .arg(abbild->groesse()));
    *abbild = EepromAbbild::ausBytes(inhalt, abbild->groesse());
    return true;
}

int hexZiffer(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool hexLesen(const QByteArray& inhalt, EepromAbbild* abbild, Fehler* fehler) {
    const QList<QByteArray> zeilen = zeilenVon(inhalt);
    if (zeilen.isEmpty())
        return fehlschlag(fehler, 0,
                          QCoreApplication::translate("zelmar::abbild", "Datei ist leer"));
    EepromAbbild a(abbild->groesse());
    std::vector<int> zeileVon(a.groesse(), 0);
    qint64 oben = 0;    // the upper 16 address bits of record 04
    qint64 segment = 0; // 16 times the segment of record 02
    bool ende = false;
    for (int i = 0; i < zeilen.size(); ++i) {
        const int nr = i + 1;
        const QByteArray z = zeilen.at(i).trimmed();
        if (z.isEmpty())
            continue;
        if (ende)
            return fehlschlag(fehler, nr,
                              QCoreApplication::translate("zelmar::abbild",
                                                          "Daten nach dem Endesatz (Satzart 01)"));
        if (!z.startsWith(':'))
            return fehlschlag(
                fehler, nr,
                QCoreApplication::translate("zelmar::abbild", "Zeile beginnt nicht mit \":\""));
        if ((z.size() - 1) % 2 != 0)
            return fehlschlag(fehler, nr,
                              QCoreApplication::translate("zelmar::abbild",
                                                          "ungerade Zahl von Hexadezimalziffern"));
        QByteArray b;
        for (int k = 1; k < z.size(); k += 2) {
            const int h = hexZiffer(z.at(k));
            const int l = hexZiffer(z.at(k + 1));
            if (h < 0 || l < 0)
                return fehlschlag(fehler, nr,
                                  QCoreApplication::translate("zelmar::abbild",
                                                              "\"%1\" ist keine Hexadezimalziffer")
                                      .arg(QLatin1Char(h < 0 ? z.at(k) : z.at(k + 1))));
            b.append(char(h * 16 + l));
        }
        if (b.size() < 5)
            return fehlschlag(
                fehler, nr,
                QCoreApplication::translate("zelmar::abbild", "Zeile zu kurz für einen Satz"));
        const int laenge = quint8(b.at(0));
        if (b.size() != laenge + 5)
            return fehlschlag(
                fehler, nr,
                QCoreApplication::translate("zelmar::abbild",
                                            "Zeile zu %1: %2 Datenbytes angegeben, %3 vorhanden")
                    .arg(b.size() < laenge + 5
                             ? QCoreApplication::translate("zelmar::abbild", "kurz")
                             : QCoreApplication::translate("zelmar::abbild", "lang"))
                    .arg(laenge)
                    .arg(b.size() - 5));
        quint8 summe = 0;
        for (int k = 0; k < b.size() - 1; ++k)
            summe += quint8(b.at(k));
        const quint8 richtig = quint8(-summe);
        if (quint8(b.back()) != richtig)
            return fehlschlag(fehler, nr,
                              QCoreApplication::translate(
                                  "zelmar::abbild", "Prüfsumme falsch: %1 gelesen, %2 richtig")
                                  .arg(HEX_2(quint8(b.back())), HEX_2(richtig)));
        const int adresse = quint8(b.at(1)) * 256 + quint8(b.at(2));
        const int satzart = quint8(b.at(3));
        const QByteArray daten = b.mid(4, laenge);
        switch (satzart) {
        case 0x00:
            for (int k = 0; k < laenge; ++k) {
                const qint64 ziel = oben + segment + adresse + k;
                if (ziel >= a.groesse())
                    return fehlschlag(
                        fehler, nr,
                        QCoreApplication::translate("zelmar::abbild", "Adresse %1 liegt über %2")
                            .arg(ziel)
                            .arg(a.groesse() - 1));
                if (a.belegt(int(ziel)))
                    return fehlschlag(fehler, nr,
                                      QCoreApplication::translate(
                                          "zelmar::abbild", "überlappt Zeile %1 bei Adresse %2")
                                          .arg(zeileVon[ziel])
                                          .arg(adressText(int(ziel))));
                a.setzen(int(ziel), quint8(daten.at(k)));
                zeileVon[ziel] = nr;
            }
            break;
        case 0x01:
            if (laenge != 0)
                return fehlschlag(
                    fehler, nr,
                    QCoreApplication::translate("zelmar::abbild", "Endesatz mit Daten"));
            ende = true;
            break;
        case 0x02:
        case 0x04: {
            if (laenge != 2)
                return fehlschlag(fehler, nr,
                                  QCoreApplication::translate("zelmar::abbild",
                                                              "Satzart 0%1 braucht 2 Datenbytes")
                                      .arg(satzart));
            const qint64 wert = quint8(daten.at(0)) * 256 + quint8(daten.at(1));
            if (satzart == 0x02)
                segment = wert << 4;
            else
                oben = wert << 16;
            break;
        }
        case 0x03:
        case 0x05:
            // Where a program would start: nothing to an EEPROM.
            if (laenge != 4)
                return fehlschlag(fehler, nr,
                                  QCoreApplication::translate("zelmar::abbild",
                                                              "Satzart 0%1 braucht 4 Datenbytes")
                                      .arg(satzart));
            break;
        default:
            return fehlschlag(fehler, nr,
                              QCoreApplication::translate("zelmar::abbild",
                                                          "Satzart %1 gibt es nicht (00 bis 05)")
                                  .arg(satzart, 2, 16, QLatin1Char('0')));
        }
    }
    if (!ende)
        return fehlschlag(
            fehler, zeilen.size(),
            QCoreApplication::translate("zelmar::abbild", "Endesatz (Satzart 01) fehlt"));
    if (a.leer())
        return fehlschlag(
            fehler, 0, QCoreApplication::translate("zelmar::abbild", "keine Daten in der Datei"));
    *abbild = a;
    return true;
}

QByteArray hexSatz(int adresse, int satzart, const QByteArray& daten) {
    QByteArray b;
    b.append(char(daten.size()));
    b.append(char(adresse >> 8));
    b.append(char(adresse & 0xFF));
    b.append(char(satzart));
    b.append(daten);
    quint8 summe = 0;
    for (char c : b)
        summe += quint8(c);
    b.append(char(quint8(-summe)));
    return ':' + b.toHex().toUpper() + "\r\n";
}

} // namespace

QString Fehler::text() const {
    return zeile > 0
               ? QCoreApplication::translate("zelmar::abbild", "Zeile %1: %2").arg(zeile).arg(grund)
               : grund;
}

Format formatVonName(const QString& pfad) {
    const QString e = QFileInfo(pfad).suffix().toLower();
    if (e == QLatin1String("txt"))
        return Format::Dump;
    if (e == QLatin1String("hex") || e == QLatin1String("ihx") || e == QLatin1String("ihex"))
        return Format::IntelHex;
    return Format::Binaer;
}

QString endung(Format format) {
    switch (format) {
    case Format::Dump:
        return QStringLiteral(".txt");
    case Format::IntelHex:
        return QStringLiteral(".hex");
    case Format::Binaer:
        break;
    }
    return QStringLiteral(".bin");
}

QString dateiname(const QString& datenPfad, int slave, Format format, int groesse) {
    QString name = dump::DUMP_DATEINAME(datenPfad, slave, groesse);
    name.chop(4);
    return name + endung(format);
}

bool lesen(const QByteArray& inhalt, Format format, EepromAbbild* abbild, Fehler* fehler) {
    switch (format) {
    case Format::Dump:
        return dumpLesen(inhalt, abbild, fehler);
    case Format::IntelHex:
        return hexLesen(inhalt, abbild, fehler);
    case Format::Binaer:
        break;
    }
    return binaerLesen(inhalt, abbild, fehler);
}

bool laden(const QString& pfad, EepromAbbild* abbild, Fehler* fehler) {
    return laden(pfad, formatVonName(pfad), abbild, fehler);
}

bool laden(const QString& pfad, Format format, EepromAbbild* abbild, Fehler* fehler) {
    QFile f;
    datei::Grund grund;
    if (!datei::oeffnen(f, pfad, QIODevice::ReadOnly, &grund)) {
        if (fehler)
            *fehler = {0, grund.text(), grund};
        return false;
    }
    if (f.size() > MAX_DATEI)
        return fehlschlag(fehler, 0,
                          QCoreApplication::translate("zelmar::abbild",
                                                      "Datei ist zu groß für ein EEPROM-Abbild"));
    return lesen(f.readAll(), format, abbild, fehler);
}

QByteArray inhalt(const EepromAbbild& abbild, Format format, const QLocale& locale) {
    const QList<EepromAbbild::Bereich> bereiche = abbild.bereiche();
    QByteArray out;
    switch (format) {
    case Format::Dump:
        // Every address has its line; the reader takes no other dump.
        out = dump::zeilen(0, abbild.bytes(0, abbild.groesse()), locale);
        break;
    case Format::Binaer:
        if (!bereiche.isEmpty())
            out = abbild.bytes(0, bereiche.last().bis + 1);
        break;
    case Format::IntelHex:
        out += hexSatz(0, 0x04, QByteArray(2, '\0'));
        // A chip beyond 64 KiB: each 64 KiB segment gets its record 04, and no record runs
        // across one.
        for (int segment = 0; segment * 65536 < abbild.groesse(); ++segment) {
            if (segment > 0) {
                QByteArray oben;
                oben.append(char(segment >> 8)).append(char(segment & 0xFF));
                out += hexSatz(0, 0x04, oben);
            }
            const int ende = std::min(abbild.groesse(), (segment + 1) * 65536) - 1;
            for (const auto& b : bereiche) {
                const int von = std::max(b.von, segment * 65536);
                const int bis = std::min(b.bis, ende);
                for (int a = von; a <= bis; a += 16)
                    out += hexSatz(a & 0xFFFF, 0x00, abbild.bytes(a, std::min(16, bis - a + 1)));
            }
        }
        out += hexSatz(0, 0x01, QByteArray());
        break;
    }
    return out;
}

bool speichern(const QString& pfad, const EepromAbbild& abbild, Format format,
               const QLocale& locale, QString* fehler) {
    datei::Grund grund;
    if (datei::ersetzen(pfad, inhalt(abbild, format, locale), &grund))
        return true;
    if (fehler)
        *fehler = grund.text();
    return false;
}

QString sha256(const EepromAbbild& abbild) {
    return QString::fromLatin1(
        QCryptographicHash::hash(abbild.bytes(0, abbild.groesse()), QCryptographicHash::Sha256)
            .toHex());
}

QString adressText(int adresse) {
    return adresse <= 0xFFFF
               ? HEX_4(adresse)
               : QLatin1Char('x') +
                     QStringLiteral("%1").arg(adresse, 5, 16, QLatin1Char('0')).toUpper();
}

QString bereicheText(const QList<EepromAbbild::Bereich>& bereiche, const QLocale& locale,
                     int hoechstens) {
    const int n = hoechstens > 0 ? std::min<int>(hoechstens, bereiche.size()) : bereiche.size();
    QStringList zeilen;
    for (int i = 0; i < n; ++i)
        zeilen << QCoreApplication::translate("zelmar::abbild", "%1 … %2 (%3 Byte)")
                      .arg(adressText(bereiche[i].von), adressText(bereiche[i].bis),
                           locale.toString(bereiche[i].laenge()));
    if (n < bereiche.size())
        zeilen << QCoreApplication::translate("zelmar::abbild", "... und %1 weitere Bereiche")
                      .arg(locale.toString(bereiche.size() - n));
    return zeilen.join(QStringLiteral("\r\n"));
}

} // namespace abbild

} // namespace zelmar
