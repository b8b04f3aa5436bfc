// The commands of zelmar-cli: each one the same protocol functions and jobs the windows use.

#include "baustein.h"
#include "sitzung.h"

#include "jobs/busscan.h"
#include "jobs/eepromerase.h"
#include "jobs/eepromreadout.h"
#include "jobs/eepromrestore.h"
#include "link/diagnostics.h"
#include "link/memory.h"
#include "link/standard.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace zelmar::cli {

namespace {

// The numbers of a command line, read in turn; the first bad one is the usage error.
struct Zahlen {
    Sitzung& s;
    int status = ERFOLG;

    int operator()(const QString& text, const QString& name, int min, int max) {
        if (status != ERFOLG)
            return 0;
        const auto n = zahl(text, min, max);
        if (!n) {
            status = s.aufruf(QCoreApplication::translate(
                                  "zelmar::cli", "%1 must be a number from %2 to %3, not '%4'")
                                  .arg(name)
                                  .arg(min)
                                  .arg(max)
                                  .arg(text));
            return 0;
        }
        return *n;
    }
    int slave(const QString& text) { return (*this)(text, QStringLiteral("ADDR"), 0, 127); }
};

QString hex(int n, int stellen) {
    return QStringLiteral("0x") +
           QStringLiteral("%1").arg(n, stellen, 16, QLatin1Char('0')).toUpper();
}

QString byteListe(const QByteArray& bytes) {
    QStringList t;
    for (const char b : bytes)
        t << QString::number(quint8(b));
    return t.join(QLatin1Char(' '));
}

// A scan to its end; false (with the exit status) when it did not hear every address.
bool scannen(Sitzung& s, BusScan::Result* r, int* status) {
    *r = s.laufen(new BusScan(s.link()));
    if (r->interfaceSilent) {
        *status = s.melden(QCoreApplication::translate(
                               "zelmar::cli", "scan: the interface does not answer (no byte to %1 "
                                              "probes in a row, stopped at address %2)")
                               .arg(BusScan::STUMM)
                               .arg(r->probed - 1),
                           FEHLER);
        return false;
    }
    if (!r->completed) {
        *status = s.linkFehler(QStringLiteral("scan"), r->statusCode, r->statusText);
        return false;
    }
    if (r->ohneAntwort > 0) {
        *status = s.melden(QCoreApplication::translate(
                               "zelmar::cli", "scan: the interface did not answer at %1 of 128 "
                                              "addresses (status %2)")
                               .arg(r->ohneAntwort)
                               .arg(r->statusCode),
                           FEHLER);
        return false;
    }
    return true;
}

QString name(const SlaveDirectory& d, int a) {
    return slaveBenannt(d.SLAVE_NAME[a]) ? d.SLAVE_NAME[a].trimmed() : QString();
}

QString sha256(const EepromAbbild& bild) {
    return abbild::sha256(bild);
}

// The chip of a command on the whole EEPROM; false after saying why.
bool ganzerBaustein(Sitzung& s, int slave, EepromBaustein* b, int* status) {
    return bausteinBestimmen(s, slave, true, b, status);
}

// The size of the chip a command on the whole EEPROM works on, as far as it is known before the
// line is opened: --chip's, else the 64 KiB one's (the only one taken without it).
int ganzeGroesse(const Sitzung& s) {
    return s.optionen().baustein ? s.optionen().baustein->groesse : eeprom::standard().groesse;
}

// The page of restore and erase: --page, else 16, or the chip's with --chip; a usage error when
// larger than the chip's own.
bool seiteWaehlen(Sitzung& s, const EepromBaustein& b, int* seite, int* status) {
    *seite = s.optionen().seite.value_or(s.optionen().baustein ? b.seite : 16);
    if (*seite <= b.seite)
        return true;
    *status = s.aufruf(QCoreApplication::translate(
                           "zelmar::cli", "--page %1 is larger than the %2-byte page of a %3")
                           .arg(*seite)
                           .arg(b.seite)
                           .arg(b.text()));
    return false;
}

// What can be refused before the question and the line: a named chip at one of its other slave
// addresses, and a page larger than the chip's (the 64 KiB one's without --chip).
bool vorab(Sitzung& s, int slave, int* status) {
    const std::optional<EepromBaustein>& chip = s.optionen().baustein;
    int seite = 0;
    if (chip && !ersteAdresse(s, *chip, slave, status))
        return false;
    return seiteWaehlen(s, chip.value_or(eeprom::standard()), &seite, status);
}

abbild::Format format(const Sitzung& s, const QString& pfad) {
    return s.optionen().format.value_or(abbild::formatVonName(pfad));
}

bool bildLaden(Sitzung& s, const QString& pfad, EepromAbbild* bild, int* status) {
    abbild::Fehler f;
    bool ok = abbild::laden(pfad, format(s, pfad), bild, &f);
    if (ok && bild->leer()) {
        ok = false;
        f.grund = QCoreApplication::translate("zelmar::cli", "gives no bytes");
    }
    if (ok)
        return true;
    QString text =
        QStringLiteral("%1: %2").arg(pfad, f.datei.gut() ? f.text() : grundText(f.datei));
    // Read as the image of the chip assumed: say which, where another may be meant.
    if (f.datei.gut())
        text += s.optionen().baustein
                    ? QCoreApplication::translate("zelmar::cli", " (read as an image of a %1)")
                          .arg(s.optionen().baustein->text())
                    : QCoreApplication::translate("zelmar::cli",
                                                  " (read as an image of the 64 KiB EEPROM; name "
                                                  "another with --chip)");
    *status = s.melden(text, FEHLER);
    return false;
}

QString ende(EepromRestore::Ende e) {
    switch (e) {
    case EepromRestore::Ende::AdresseFehlt:
        return QCoreApplication::translate("zelmar::cli",
                                           "the EEPROM did not acknowledge its address");
    case EepromRestore::Ende::ZuVieleFehler:
        return QCoreApplication::translate("zelmar::cli", "too many failed pages or blocks");
    case EepromRestore::Ende::NichtGehalten:
        return QCoreApplication::translate(
            "zelmar::cli", "the EEPROM acknowledged the first page but kept its old bytes "
                           "(write protection, or a page larger than the chip's?); nothing "
                           "more was written");
    case EepromRestore::Ende::ZuGross:
        return QCoreApplication::translate("zelmar::cli",
                                           "the file gives addresses beyond the chip; nothing "
                                           "was written");
    default:
        return QCoreApplication::translate("zelmar::cli", "cancelled");
    }
}

// "; the line failed: keine DATEN !!! (status 1000)" when the last transaction failed on the
// line; nothing when it went through (the failure was the device's or the comparison's).
QString leitungsZusatz(const Reply& letzte) {
    if (letzte.statusCode == STATUS_OK || letzte.statusCode == STATUS_KEIN_ACK)
        return {};
    return QCoreApplication::translate("zelmar::cli", "; the line failed: %1 (status %2)")
        .arg(letzte.statusText)
        .arg(letzte.statusCode);
}

QString byteText(const std::optional<quint8>& b) {
    return b ? QStringLiteral("%1 (%2)").arg(*b).arg(hex(*b, 2)) : QStringLiteral("-");
}

// Restore or verify: the image against the EEPROM.
int abgleichen(Sitzung& s, const QStringList& a, EepromRestore::Modus modus) {
    Zahlen z{s};
    const int slave = z.slave(a[0]);
    if (z.status != ERFOLG)
        return z.status;
    EepromAbbild bild(ganzeGroesse(s));
    int status = ERFOLG;
    if (!vorab(s, slave, &status) || !bildLaden(s, a[1], &bild, &status))
        return status;
    const bool schreiben = modus == EepromRestore::Modus::Schreiben;
    // A HEX file may leave gaps, a binary one may end early: what it leaves out is not written.
    const int ausgelassen = bild.groesse() - bild.anzahl();
    if (schreiben) {
        QString frage = QCoreApplication::translate("zelmar::cli",
                                                    "Write %1 bytes from %2 into the EEPROM at %3?")
                            .arg(bild.anzahl())
                            .arg(a[1])
                            .arg(slave);
        if (ausgelassen > 0)
            frage.prepend(QCoreApplication::translate(
                              "zelmar::cli", "The %1 addresses the file does not give stay as they "
                                             "are. ")
                              .arg(ausgelassen));
        status = s.bestaetigen(frage);
        if (status != ERFOLG)
            return status;
    }
    const auto ausgelassenListe = [&] {
        if (ausgelassen == 0)
            return;
        // A match says nothing of what the file does not give.
        if (!schreiben) {
            s.out() << QCoreApplication::translate(
                           "zelmar::cli", "not compared: %1 of the chip's %2 bytes, which the "
                                          "file does not give")
                           .arg(ausgelassen)
                           .arg(bild.groesse())
                    << Qt::endl;
            return;
        }
        constexpr int BEREICHE = 20;
        const QList<EepromAbbild::Bereich> b = bild.ausgelassen();
        s.out() << QCoreApplication::translate("zelmar::cli", "left as they were (%1 bytes):")
                       .arg(ausgelassen)
                << Qt::endl;
        for (int i = 0; i < b.size() && i < BEREICHE; ++i)
            s.out() << QCoreApplication::translate("zelmar::cli", "%1 to %2")
                           .arg(hex(b[i].von, 4), hex(b[i].bis, 4))
                    << Qt::endl;
        if (b.size() > BEREICHE)
            s.out() << QCoreApplication::translate("zelmar::cli", "... and %1 more ranges")
                           .arg(b.size() - BEREICHE)
                    << Qt::endl;
    };
    if (!s.verbinden())
        return FEHLER;
    EepromBaustein baustein{};
    int seite = 16;
    if (!ganzerBaustein(s, slave, &baustein, &status) ||
        !seiteWaehlen(s, baustein, &seite, &status))
        return status;
    const auto r =
        s.laufen(new EepromRestore(s.link(), slave, bild, modus, seite, s.locale(), baustein));
    const QString was = schreiben ? QStringLiteral("restore") : QStringLiteral("verify");
    if (r.ende != EepromRestore::Ende::Fertig || !r.vergleich) {
        // Whatever ended it, the user learns what of the image the EEPROM may not hold.
        if (r.ende == EepromRestore::Ende::Abgewiesen)
            s.linkFehler(was, r.letzte);
        else
            s.melden(QStringLiteral("%1: %2%3").arg(was, ende(r.ende), leitungsZusatz(r.letzte)),
                     FEHLER);
        for (const auto& b : r.nichtGeschrieben)
            s.melden(QCoreApplication::translate("zelmar::cli", "not written: %1 to %2")
                         .arg(hex(b.von, 4), hex(b.bis, 4)),
                     FEHLER);
        const QString ungeprueft =
            schreiben ? QCoreApplication::translate("zelmar::cli", "written, not verified")
                      : QCoreApplication::translate("zelmar::cli", "not verified");
        for (const auto& b : r.nichtGeprueft)
            s.melden(QCoreApplication::translate("zelmar::cli", "%1: %2 to %3")
                         .arg(ungeprueft, hex(b.von, 4), hex(b.bis, 4)),
                     FEHLER);
        return FEHLER;
    }
    const EepromVergleich& v = *r.vergleich;
    if (s.optionen().json) {
        QJsonArray unterschiede;
        for (const auto& u : v.erste) {
            QJsonObject o{{QStringLiteral("address"), u.adresse}};
            if (u.soll)
                o.insert(QStringLiteral("file"), *u.soll);
            if (u.ist)
                o.insert(QStringLiteral("eeprom"), *u.ist);
            unterschiede << o;
        }
        s.json(QJsonDocument(QJsonObject{{QStringLiteral("file"), a[1]},
                                         {QStringLiteral("address"), slave},
                                         {QStringLiteral("compared"), v.verglichen},
                                         {QStringLiteral("differing"), v.anzahl},
                                         {QStringLiteral("differences"), unterschiede},
                                         {QStringLiteral("sha256"), sha256(bild)}}));
        return v.gleich() ? ERFOLG : schreiben ? FEHLER : UNTERSCHIED;
    }
    const auto fingerabdruck = [&] {
        s.out() << QCoreApplication::translate("zelmar::cli", "SHA-256 of %1: %2")
                       .arg(a[1], sha256(bild))
                << Qt::endl;
    };
    if (v.gleich()) {
        s.out() << QCoreApplication::translate("zelmar::cli", "%1: %2 bytes %3 the EEPROM at %4")
                       .arg(a[1])
                       .arg(v.verglichen)
                       .arg(schreiben ? QCoreApplication::translate("zelmar::cli",
                                                                    "written to and read back from")
                                      : QCoreApplication::translate("zelmar::cli", "match"))
                       .arg(slave)
                << Qt::endl;
        fingerabdruck();
        ausgelassenListe();
        return ERFOLG;
    }
    constexpr int ZEILEN = 20;
    s.out() << QCoreApplication::translate("zelmar::cli",
                                           "%1: %2 of %3 bytes differ from the EEPROM at %4")
                   .arg(a[1])
                   .arg(v.anzahl)
                   .arg(v.verglichen)
                   .arg(slave)
            << Qt::endl;
    for (int i = 0; i < v.erste.size() && i < ZEILEN; ++i) {
        const auto& u = v.erste[i];
        s.out() << QCoreApplication::translate("zelmar::cli", "address %1 (%2): file %3, EEPROM %4")
                       .arg(u.adresse)
                       .arg(hex(u.adresse, 4), byteText(u.soll), byteText(u.ist))
                << Qt::endl;
    }
    if (v.anzahl > ZEILEN)
        s.out()
            << QCoreApplication::translate("zelmar::cli", "... and %1 more").arg(v.anzahl - ZEILEN)
            << Qt::endl;
    fingerabdruck();
    ausgelassenListe();
    // What was written did not come back: the device failed, not the comparison.
    return schreiben ? FEHLER : UNTERSCHIED;
}

} // namespace

int scan(Sitzung& s, const QStringList&) {
    if (!s.verbinden())
        return FEHLER;
    BusScan::Result r;
    int status = ERFOLG;
    if (!scannen(s, &r, &status))
        return status;
    const SlaveDirectory d = s.verzeichnis();
    if (s.optionen().json) {
        QJsonArray found;
        for (int a : r.found)
            found << QJsonObject{{QStringLiteral("address"), a},
                                 {QStringLiteral("name"), name(d, a)}};
        s.json(QJsonDocument(QJsonObject{{QStringLiteral("found"), found}}));
        return ERFOLG;
    }
    for (int a : r.found) {
        const QString n = name(d, a);
        s.out() << a << (n.isEmpty() ? QString() : QLatin1Char('\t') + n) << Qt::endl;
    }
    return ERFOLG;
}

int check(Sitzung& s, const QStringList&) {
    if (!s.verbinden())
        return FEHLER;
    BusScan::Result r;
    int status = ERFOLG;
    if (!scannen(s, &r, &status))
        return status;
    const SlaveDirectory d = s.verzeichnis();
    const AnlagePruefung p = anlagePruefen(d.SLAVE_NAME, s.link().SLAVE_GEFUNDEN);
    if (s.optionen().json) {
        auto liste = [&](const QList<int>& adressen) {
            QJsonArray l;
            for (int a : adressen)
                l << QJsonObject{{QStringLiteral("address"), a},
                                 {QStringLiteral("name"), name(d, a)}};
            return l;
        };
        QJsonArray antworten;
        for (int a : r.found)
            antworten << a;
        s.json(QJsonDocument(QJsonObject{{QStringLiteral("answered"), antworten},
                                         {QStringLiteral("missing"), liste(p.fehlt)},
                                         {QStringLiteral("unknown"), liste(p.unbekannt)},
                                         {QStringLiteral("matches"), p.stimmt()}}));
    } else {
        s.out() << QCoreApplication::translate("zelmar::cli", "%1 addresses answered")
                       .arg(r.found.size())
                << Qt::endl;
        auto liste = [&](const QList<int>& adressen, const QString& titel) {
            if (adressen.isEmpty())
                return;
            s.out() << titel << ':' << Qt::endl;
            for (int a : adressen) {
                const QString n = name(d, a);
                s.out() << QStringLiteral("%1").arg(a, 3)
                        << (n.isEmpty() ? QString() : QStringLiteral("  ") + n) << Qt::endl;
            }
        };
        liste(p.fehlt, QCoreApplication::translate("zelmar::cli",
                                                   "missing (named in SLAVE_INFO.ini, no answer)"));
        liste(p.unbekannt, QCoreApplication::translate(
                               "zelmar::cli", "unknown (answered, no name in SLAVE_INFO.ini)"));
        if (p.stimmt())
            s.out() << "the installation matches the directory" << Qt::endl;
    }
    return p.stimmt() ? ERFOLG : UNTERSCHIED;
}

int info(Sitzung& s, const QStringList& a) {
    Zahlen z{s};
    const int slave = z.slave(a[0]);
    if (z.status != ERFOLG)
        return z.status;
    if (!s.verbinden())
        return FEHLER;
    Reply antwort;
    QString n = SLAVE_INFO_LESEN(s.link(), slave, &antwort);
    if (!antwort.done())
        return s.linkFehler(QCoreApplication::translate("zelmar::cli", "slave %1").arg(slave),
                            antwort);
    n.replace(QChar(0), QLatin1Char(' '));
    n = n.trimmed();
    if (s.optionen().json)
        s.json(QJsonDocument(
            QJsonObject{{QStringLiteral("address"), slave}, {QStringLiteral("name"), n}}));
    else
        s.out() << n << Qt::endl;
    return ERFOLG;
}

int diag(Sitzung& s, const QStringList&) {
    if (!s.verbinden())
        return FEHLER;
    struct Zeile {
        quint8 befehl;
        const char* schluessel;
        const char* titel;
    };
    static const Zeile zeilen[] = {
        {befehl::DUMMY, "connection", "connection"},
        {befehl::MCUCSR, "resetCause", "reset cause"},
        {befehl::SPANNUNG, "voltage", "voltage"},
        {befehl::NAME, "name", "name"},
        {befehl::TAKT, "clock", "clock"},
        {befehl::FEHLERCODE, "errorCode", "error code"},
        {befehl::TWI_PINS, "busLines", "bus lines"},
    };
    QJsonObject json;
    QStringList text;
    for (const Zeile& z : zeilen) {
        Reply antwort;
        const auto b = INTERFACE_ABFRAGEN(s.link(), z.befehl, s.locale(), &antwort);
        if (!b)
            return s.linkFehler(QString::fromLatin1(z.titel), antwort);
        QString t = b->text;
        t.replace(QChar(0), QLatin1Char(' '));
        t = t.trimmed();
        // The console shows kHz grouped in thousands, which reads as MHz only in a German
        // locale.
        if (z.befehl == befehl::TAKT)
            t = QStringLiteral("%1 MHz").arg(b->wert / 1e6, 0, 'f', 3);
        json.insert(QLatin1String(z.schluessel), QJsonObject{{QStringLiteral("ok"), b->gut},
                                                             {QStringLiteral("text"), t},
                                                             {QStringLiteral("value"), b->wert}});
        text << QStringLiteral("%1%2").arg(QLatin1String(z.titel), -13).arg(t);
    }
    if (s.optionen().json)
        s.json(QJsonDocument(json));
    else
        for (const QString& t : text)
            s.out() << t << Qt::endl;
    return ERFOLG;
}

int std_(Sitzung& s, const QStringList& a) {
    Zahlen z{s};
    const int slave = z.slave(a[0]);
    const int code = z(a[1], QStringLiteral("CODE"), 0, 255);
    int p[3] = {0, 0, 0};
    for (int i = 2; i < a.size(); ++i)
        p[i - 2] = z(a[i], QStringLiteral("P%1").arg(i), 0, 255);
    if (z.status != ERFOLG)
        return z.status;
    if (!s.verbinden())
        return FEHLER;
    Link& link = s.link();
    const Reply antwort =
        STANDARD_BEFEHL(link, slave, quint8(code), quint8(p[0]), quint8(p[1]), quint8(p[2]));
    if (!antwort.done())
        return s.linkFehler(
            QCoreApplication::translate("zelmar::cli", "slave %1, standard command %2")
                .arg(slave)
                .arg(code),
            antwort);
    if (s.optionen().json) {
        QJsonArray reply;
        for (int i = 0; i < 4; ++i)
            reply << antwort.byte(i);
        s.json(QJsonDocument(QJsonObject{{QStringLiteral("address"), slave},
                                         {QStringLiteral("code"), code},
                                         {QStringLiteral("reply"), reply}}));
    } else {
        s.out() << byteListe(antwort.bytes) << Qt::endl;
    }
    return ERFOLG;
}

int send(Sitzung& s, const QStringList& a) {
    Zahlen z{s};
    const int cmd = z(a[0], QStringLiteral("CMD"), 0, 255);
    const int slave = z.slave(a[1]);
    QByteArray daten;
    for (int i = 2; i < a.size(); ++i)
        daten.append(char(z(a[i], QStringLiteral("BYTE"), 0, 255)));
    if (z.status != ERFOLG)
        return z.status;
    if (!s.verbinden())
        return FEHLER;
    Link& link = s.link();
    const int empfangen = s.optionen().empfangen.value_or(0);
    link.RAHMEN_SENDEN({quint8(cmd), quint8(slave), quint8(s.optionen().wert.value_or(0)),
                        double(daten.size()), double(empfangen), daten});
    const Reply antwort = receive(link, antwortBytes(quint8(cmd), empfangen));
    if (antwort.refused())
        return s.linkFehler(QCoreApplication::translate("zelmar::cli", "command %1").arg(cmd),
                            antwort);
    if (!antwort.done())
        return s.linkFehler(
            QCoreApplication::translate("zelmar::cli", "reply to command %1").arg(cmd), antwort);
    s.out() << byteListe(antwort.bytes) << Qt::endl;
    return ERFOLG;
}

int read(Sitzung& s, const QStringList& a) {
    Zahlen z{s};
    const int groesste = eeprom::bausteine().constLast().groesse;
    const int slave = z.slave(a[0]);
    const int start = z(a[1], QStringLiteral("START"), 0, groesste - 1);
    const int anzahl = z(a[2], QStringLiteral("COUNT"), 1, groesste);
    if (z.status != ERFOLG)
        return z.status;
    int status = ERFOLG;
    const auto& chip = s.optionen().baustein;
    if (chip && (!ersteAdresse(s, *chip, slave, &status) ||
                 !imBaustein(s, *chip, slave, start, anzahl, &status)))
        return status;
    if (!s.verbinden())
        return FEHLER;
    EepromBaustein b{};
    if (!bausteinBestimmen(s, slave, false, &b, &status) ||
        !imBaustein(s, b, slave, start, anzahl, &status))
        return status;
    QByteArray daten;
    if (!bausteinLesen(s, b, slave, start, anzahl, &daten, &status))
        return status;
    const int stellen = b.groesse > 0x10000 ? 5 : 4;
    for (int i = 0; i < daten.size(); i += 16) {
        QStringList bytes;
        for (int k = i; k < std::min<int>(i + 16, daten.size()); ++k)
            bytes << QStringLiteral("%1").arg(quint8(daten[k]), 2, 16, QLatin1Char('0')).toUpper();
        s.out() << QStringLiteral("%1: ").arg(start + i, stellen, 16, QLatin1Char('0')).toUpper()
                << bytes.join(QLatin1Char(' ')) << Qt::endl;
    }
    return ERFOLG;
}

int write(Sitzung& s, const QStringList& a) {
    Zahlen z{s};
    const int groesste = eeprom::bausteine().constLast().groesse;
    const int slave = z.slave(a[0]);
    const int start = z(a[1], QStringLiteral("START"), 0, groesste - 1);
    QByteArray daten;
    for (int i = 2; i < a.size(); ++i)
        daten.append(char(z(a[i], QStringLiteral("BYTE"), 0, 255)));
    if (z.status != ERFOLG)
        return z.status;
    int status = ERFOLG;
    const auto& chip = s.optionen().baustein;
    if (chip && (!ersteAdresse(s, *chip, slave, &status) ||
                 !imBaustein(s, *chip, slave, start, daten.size(), &status)))
        return status;
    if (!s.verbinden())
        return FEHLER;
    EepromBaustein b{};
    if (!bausteinBestimmen(s, slave, false, &b, &status) ||
        !imBaustein(s, b, slave, start, daten.size(), &status) ||
        !bausteinSchreiben(s, b, slave, start, daten, &status))
        return status;
    // Read back: a write-protected chip acknowledges and keeps its old bytes.
    QByteArray zurueck;
    if (!bausteinLesen(s, b, slave, start, daten.size(), &zurueck, &status))
        return status;
    for (int i = 0; i < daten.size(); ++i)
        if (zurueck[i] != daten[i])
            return s.melden(QCoreApplication::translate("zelmar::cli",
                                                        "address %1 (%2): wrote %3, read back %4")
                                .arg(start + i)
                                .arg(hex(start + i, 4))
                                .arg(quint8(daten[i]))
                                .arg(quint8(zurueck[i])),
                            FEHLER);
    return ERFOLG;
}

int dump(Sitzung& s, const QStringList& a) {
    Zahlen z{s};
    const int slave = z.slave(a[0]);
    if (z.status != ERFOLG)
        return z.status;
    const QString datei = QFileInfo(a[1]).absoluteFilePath();
    int status = ERFOLG;
    if (!vorab(s, slave, &status))
        return status;
    if (!s.verbinden())
        return FEHLER;
    EepromBaustein baustein{};
    if (!ganzerBaustein(s, slave, &baustein, &status))
        return status;
    const auto r =
        s.laufen(new EepromReadout(s.link(), slave, datei, s.locale(), format(s, a[1]), baustein));
    switch (r.ende) {
    case EepromReadout::Ende::Fertig: {
        // The fingerprint of the file as it will be used: read back as an image.
        EepromAbbild bild(baustein.groesse);
        if (!abbild::laden(datei, format(s, a[1]), &bild, nullptr))
            return s.melden(
                QCoreApplication::translate("zelmar::cli", "%1 does not read back as an image")
                    .arg(a[1]),
                FEHLER);
        if (s.optionen().json) {
            s.json(QJsonDocument(QJsonObject{{QStringLiteral("file"), a[1]},
                                             {QStringLiteral("address"), slave},
                                             {QStringLiteral("bytes"), r.bytes},
                                             {QStringLiteral("sha256"), sha256(bild)}}));
            return ERFOLG;
        }
        s.out() << QCoreApplication::translate("zelmar::cli", "%1: %2 bytes of the EEPROM at %3")
                       .arg(a[1])
                       .arg(r.bytes)
                       .arg(slave)
                << Qt::endl
                << QCoreApplication::translate("zelmar::cli", "SHA-256 %1").arg(sha256(bild))
                << Qt::endl;
        return ERFOLG;
    }
    case EepromReadout::Ende::Abgewiesen:
        return s.linkFehler(QStringLiteral("dump"), r.statusCode, r.statusText);
    case EepromReadout::Ende::AdresseFehlt:
        return eepromFehler(s, SpeicherAntwort::KeinAck, slave, r.position);
    case EepromReadout::Ende::ZuVieleFehler:
        return s.melden(
            QCoreApplication::translate(
                "zelmar::cli", "dump: given up at address %1 (%2) after %3 failed blocks%4")
                .arg(r.position)
                .arg(hex(r.position, 4))
                .arg(r.fehler)
                .arg(r.leitung ? QCoreApplication::translate("zelmar::cli",
                                                             "; the line failed: %1 (status %2)")
                                     .arg(r.statusText)
                                     .arg(r.statusCode)
                               : QString()),
            FEHLER);
    case EepromReadout::Ende::DateiFehler:
        return s.melden(QCoreApplication::translate("zelmar::cli", "%1 could not be written: %2")
                            .arg(a[1], grundText(r.dateiGrund)),
                        FEHLER);
    case EepromReadout::Ende::Abgebrochen:
        break;
    }
    return s.melden(QCoreApplication::translate("zelmar::cli", "dump cancelled"), FEHLER);
}

int restore(Sitzung& s, const QStringList& a) {
    return abgleichen(s, a, EepromRestore::Modus::Schreiben);
}

int verify(Sitzung& s, const QStringList& a) {
    return abgleichen(s, a, EepromRestore::Modus::Pruefen);
}

int erase(Sitzung& s, const QStringList& a) {
    Zahlen z{s};
    const int slave = z.slave(a[0]);
    if (z.status != ERFOLG)
        return z.status;
    const int wert = s.optionen().wert.value_or(255);
    int vorher = ERFOLG;
    if (!vorab(s, slave, &vorher))
        return vorher;
    const int status = s.bestaetigen(
        QCoreApplication::translate("zelmar::cli", "Set all %1 bytes of the EEPROM at %2 to %3?")
            .arg(ganzeGroesse(s))
            .arg(slave)
            .arg(wert));
    if (status != ERFOLG)
        return status;
    if (!s.verbinden())
        return FEHLER;
    EepromBaustein baustein{};
    int seite = 16;
    int fehler = ERFOLG;
    if (!ganzerBaustein(s, slave, &baustein, &fehler) ||
        !seiteWaehlen(s, baustein, &seite, &fehler))
        return fehler;
    const auto r =
        s.laufen(new EepromErase(s.link(), slave, quint8(wert), s.locale(), seite, baustein));
    switch (r.ende) {
    case EepromErase::Ende::Fertig:
        s.out() << QCoreApplication::translate("zelmar::cli",
                                               "%1 bytes of the EEPROM at %2 set to %3")
                       .arg(r.bytes)
                       .arg(slave)
                       .arg(wert)
                << Qt::endl;
        return ERFOLG;
    case EepromErase::Ende::Abgewiesen:
        return s.linkFehler(QStringLiteral("erase"), r.letzte);
    case EepromErase::Ende::ZuVieleFehler:
        // Pages go in address order: every byte below the page that failed is set.
        return s.melden(
            QCoreApplication::translate("zelmar::cli",
                                        "erase: given up at address %1 (%2) after %3 failed pages; "
                                        "%4 of %5 bytes set to %6%7")
                .arg(r.bytes)
                .arg(hex(r.bytes, 4))
                .arg(r.fehler)
                .arg(r.bytes)
                .arg(baustein.groesse)
                .arg(wert)
                .arg(leitungsZusatz(r.letzte)),
            FEHLER);
    case EepromErase::Ende::Abgebrochen:
        break;
    }
    return s.melden(QCoreApplication::translate("zelmar::cli", "erase cancelled"), FEHLER);
}

} // namespace zelmar::cli
