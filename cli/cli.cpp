#include "cli.h"

#include "sitzung.h"

#include "link/serialport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextStream>

#include <limits>

namespace zelmar::cli {

namespace {

// Options a command may take beyond the common ones.
enum Extra {
    KEINE = 0,
    JSON = 1,
    JA = 2,
    FORMAT = 4,
    ADRESSBYTES = 8,
    WERT = 16,
    EMPFANG = 32,
    CHIP = 64,
    ANZAHL = 128,
    SEITE = 256
};

struct Befehl {
    const char* name;
    const char* argumente;
    const char* kurz;
    int min, max; // argument counts; max -1: any number
    int extras;
    const char* hilfe;
    int (*lauf)(Sitzung&, const QStringList&);
};

const Befehl kBefehle[] = {
    {"scan", "", QT_TRANSLATE_NOOP("zelmar::cli", "the addresses that answer"), 0, 0, JSON,
     QT_TRANSLATE_NOOP("zelmar::cli",
                       "The bus addresses that answer, with their names from SLAVE_INFO.ini."),
     scan},
    {"check", "", QT_TRANSLATE_NOOP("zelmar::cli", "the installation against SLAVE_INFO.ini"), 0, 0,
     JSON,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "Scans the bus and compares it with SLAVE_INFO.ini: named addresses that do not answer\n"
         "(missing) and answering addresses without a name (unknown). Exit status 3 when they\n"
         "differ."),
     check},
    {"info", "ADDR", QT_TRANSLATE_NOOP("zelmar::cli", "the slave's name"), 1, 1, JSON,
     QT_TRANSLATE_NOOP("zelmar::cli", "The 16-character name the slave at ADDR gives."), info},
    {"diag", "", QT_TRANSLATE_NOOP("zelmar::cli", "the interface's diagnostics"), 0, 0, JSON,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "The interface's diagnostics: connection, reset cause, supply voltage, name, clock,\n"
         "error code and the state of the bus lines."),
     diag},
    {"std", "ADDR CODE [P2 [P3 [P4]]]",
     QT_TRANSLATE_NOOP("zelmar::cli", "one standard command, its four reply bytes"), 2, 5, JSON,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "One standard command (request code CODE, parameter bytes P2..P4, default 0) to the\n"
         "slave at ADDR; prints the four reply bytes."),
     std_},
    {"send", "CMD ADDR [BYTE...]",
     QT_TRANSLATE_NOOP("zelmar::cli", "one hand-built frame and its reply"), 2, -1, WERT | EMPFANG,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "One hand-built frame: interface command CMD, slave address ADDR, the data bytes; the\n"
         "frame's value byte from --value, its receive count from --receive (default 0). Prints\n"
         "the reply bytes the command gets (status bytes included)."),
     send},
    {"detect", "ADDR",
     QT_TRANSLATE_NOOP("zelmar::cli", "which EEPROM answers at ADDR, by reading only"), 1, 1, JSON,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "Reads the EEPROM at ADDR through different address phases and says whether it answers,\n"
         "how many address bytes it takes and how many bytes one address reaches (where its\n"
         "pointer wraps), with the chips that fit. Nothing is written. Contents with every byte\n"
         "alike (an erased chip) cannot tell, and then nothing is suggested. A suggestion is\n"
         "confirmed by giving it to the other commands with --chip."),
     detect},
    {"read", "ADDR START COUNT", QT_TRANSLATE_NOOP("zelmar::cli", "EEPROM bytes"), 3, 3,
     ADRESSBYTES | CHIP,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "COUNT bytes of the EEPROM at ADDR from address START on, 16 to a line in hexadecimal.\n"
         "Without --chip the EEPROM is first read to learn its geometry (see detect); a range\n"
         "past its end is refused before anything is sent."),
     read},
    {"write", "ADDR START BYTE...", QT_TRANSLATE_NOOP("zelmar::cli", "EEPROM bytes, read back"), 3,
     -1, ADRESSBYTES | CHIP,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "Writes the bytes into the EEPROM at ADDR from address START on, one byte write each,\n"
         "and reads them back. Without --chip the EEPROM is first read to learn its geometry,\n"
         "and nothing is written when it does not take --address-bytes (default 2) or cannot be\n"
         "told; a range past its end is refused before anything is sent."),
     write},
    {"dump", "ADDR FILE", QT_TRANSLATE_NOOP("zelmar::cli", "the whole EEPROM into FILE"), 2, 2,
     FORMAT | CHIP | JSON,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "Reads the whole EEPROM at ADDR into FILE (each block read twice): the 64 KiB one, or\n"
         "the chip --chip names. FILE keeps its old contents unless the read-out completes.\n"
         "Prints the image's SHA-256."),
     dump},
    {"restore", "ADDR FILE", QT_TRANSLATE_NOOP("zelmar::cli", "FILE into the EEPROM, read back"), 2,
     2, FORMAT | JA | CHIP | SEITE,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "Writes the image in FILE into the EEPROM at ADDR (the 64 KiB one, or the chip --chip\n"
         "names) in pages of --page bytes and reads it back. Asks for confirmation unless --yes\n"
         "is given."),
     restore},
    {"verify", "ADDR FILE", QT_TRANSLATE_NOOP("zelmar::cli", "the EEPROM against FILE"), 2, 2,
     FORMAT | CHIP | JSON,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "Compares the EEPROM at ADDR (the 64 KiB one, or the chip --chip names) with the image\n"
         "in FILE. Exit status 3 when they differ; the differing addresses are listed. Prints\n"
         "the image's SHA-256 (all the chip's bytes, addresses the file leaves out as 255)."),
     verify},
    {"erase", "ADDR", QT_TRANSLATE_NOOP("zelmar::cli", "every byte of the EEPROM set to one value"),
     1, 1, WERT | JA | CHIP | SEITE,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "Sets every byte of the EEPROM at ADDR (the 64 KiB one, or the chip --chip names) to\n"
         "--value (default 255) in pages of --page bytes and reads each page back. Asks for\n"
         "confirmation unless --yes is given."),
     erase},
    {"watch", "", QT_TRANSLATE_NOOP("zelmar::cli", "the apartment's values, one line per pass"), 0,
     0, JSON | ANZAHL,
     QT_TRANSLATE_NOOP(
         "zelmar::cli",
         "Reads the apartment's values as the WOHNUNG display does, pass after pass, and prints\n"
         "one line per whole pass (with --json one JSON object per line, null for a value that\n"
         "could not be read). Each pass is also a row of the day's VERLAUF_<date>.csv in DATEN/,\n"
         "as in the program. Runs until Ctrl+C (exit status 1 after the pass under way is cut\n"
         "short) or --count passes."),
     watch},
};

const char* kOptionen = QT_TRANSLATE_NOOP("zelmar::cli", R"(Options:
  --port DEVICE|NUMBER  serial device, or port number 1..17 looked up in PORTS.ini
                        (default: PROGRAMM.ini's port)
  --settings TEXT       line settings such as 19200,n,8,1 (default: settings.ini's)
  --timeout MS          reply time-out per byte in milliseconds (default: PROGRAMM.ini's)
  --json                JSON output (scan, check, info, diag, std, detect, dump, verify,
                        watch)
  --yes                 no confirmation question (restore, erase)
  --format txt|bin|hex  image file format (default: by the file's extension;
                        .txt dump text, .hex/.ihx Intel HEX, anything else binary)
  --chip NAME           the EEPROM: 24C01, 24C02, 24C04, 24C08, 24C16, 24C32, 24C64,
                        24C128, 24C256, 24C512, 24M01, 24M02 (read, write, dump,
                        restore, verify, erase). Without it the EEPROM is read first to
                        learn its geometry; dump, restore, verify and erase then take
                        only the 64 KiB one (24C512)
  --page N              bytes a page write of restore and erase (8, 16, 32, 64, 128 or
                        256, at most the chip's page); default 16, with --chip the
                        chip's page
  --address-bytes 1|2   EEPROM address bytes expected by read and write without --chip
                        (default 2)
  --value N             fill value of erase; value byte of send's frame
  --receive N           receive count of send's frame
  --count N             passes of watch (default: until Ctrl+C)
  --help                this text, or a command's with COMMAND --help
  --version             the version
  --language de|en      language of the messages (default: the desktop's UI languages;
                        English under the C locale)
)");

const char* kStatus = QT_TRANSLATE_NOOP(
    "zelmar::cli", R"(Exit status: 0 success, 1 link, device or file failure or interrupted,
2 usage error, 3 verify or check found differences.
)");

QString optionenUndStatus() {
    return QCoreApplication::translate("zelmar::cli", kOptionen) + QLatin1Char('\n') +
           QCoreApplication::translate("zelmar::cli", kStatus);
}

QString allgemeineHilfe() {
    QString t = QCoreApplication::translate(
        "zelmar::cli", "Usage: zelmar-cli [OPTIONS] COMMAND [ARGUMENTS]\n\n"
                       "Drives the TWI bus through the RS232-TWI interface.\n\n"
                       "Commands:\n");
    for (const Befehl& b : kBefehle)
        t += QStringLiteral("  %1 %2 %3\n")
                 .arg(QString::fromLatin1(b.name), -7)
                 .arg(QString::fromLatin1(b.argumente), -24)
                 .arg(QCoreApplication::translate("zelmar::cli", b.kurz));
    t += QCoreApplication::translate(
        "zelmar::cli", "\nAddresses and bytes are decimal, or hexadecimal with 0x.\n\n");
    return t + optionenUndStatus();
}

QString befehlsHilfe(const Befehl& b) {
    return QCoreApplication::translate("zelmar::cli", "Usage: zelmar-cli [OPTIONS] %1 %2\n\n%3\n\n")
               .arg(QString::fromLatin1(b.name), QString::fromLatin1(b.argumente),
                    QCoreApplication::translate("zelmar::cli", b.hilfe)) +
           optionenUndStatus();
}

int fehler(const Umgebung& u, const QString& text, const QString& befehl = QString()) {
    *u.err << "zelmar-cli: " << text << Qt::endl;
    *u.err << "Try 'zelmar-cli " << (befehl.isEmpty() ? QString() : befehl + QLatin1Char(' '))
           << "--help'." << Qt::endl;
    return AUFRUF;
}

} // namespace

QString versionText() {
    return QStringLiteral("zelmar-cli %1.%2")
        .arg(ZELMAR_VERSION_MAJOR)
        .arg(ZELMAR_VERSION_REVISION);
}

int ausfuehren(const QStringList& argumente, const Umgebung& u) {
    QCommandLineParser p;
    p.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("port"));
    const QCommandLineOption settings(QStringLiteral("settings"), QString(), QStringLiteral("s"));
    const QCommandLineOption timeout(QStringLiteral("timeout"), QString(), QStringLiteral("ms"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption ja(QStringLiteral("yes"));
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("f"));
    const QCommandLineOption adressBytes(QStringLiteral("address-bytes"), QString(),
                                         QStringLiteral("n"));
    const QCommandLineOption wert(QStringLiteral("value"), QString(), QStringLiteral("n"));
    const QCommandLineOption chip(QStringLiteral("chip"), QString(), QStringLiteral("name"));
    const QCommandLineOption empfang(QStringLiteral("receive"), QString(), QStringLiteral("n"));
    const QCommandLineOption anzahl(QStringLiteral("count"), QString(), QStringLiteral("n"));
    const QCommandLineOption seite(QStringLiteral("page"), QString(), QStringLiteral("n"));
    const QCommandLineOption hilfe(QStringList{QStringLiteral("help"), QStringLiteral("h")});
    const QCommandLineOption version(QStringLiteral("version"));
    p.addOptions({port, settings, timeout, json, ja, format, adressBytes, wert, empfang, chip,
                  anzahl, seite, hilfe, version});
    // A negative number ("info -1") is an argument to be judged as one, not an unknown option.
    const QChar zahlMarke(0x1);
    QStringList markiert{QStringLiteral("zelmar-cli")};
    static const QRegularExpression negativ(QStringLiteral("^-\\d"));
    for (const QString& a : argumente)
        markiert << (negativ.match(a).hasMatch() ? zahlMarke + a : a);
    if (!p.parse(markiert))
        return fehler(u, p.errorText());
    const auto echt = [zahlMarke](QString t) { return t.startsWith(zahlMarke) ? t.mid(1) : t; };
    const auto val = [&](const QCommandLineOption& o) { return echt(p.value(o)); };

    QStringList rest;
    for (const QString& a : p.positionalArguments())
        rest << echt(a);
    if (p.isSet(version)) {
        *u.out << versionText() << Qt::endl;
        return ERFOLG;
    }
    if (rest.isEmpty()) {
        if (p.isSet(hilfe)) {
            *u.out << allgemeineHilfe() << Qt::flush;
            return ERFOLG;
        }
        return fehler(u, QCoreApplication::translate("zelmar::cli", "no command given"));
    }
    const QString name = rest.takeFirst();
    const Befehl* b = nullptr;
    for (const Befehl& k : kBefehle)
        if (name == QLatin1String(k.name))
            b = &k;
    if (!b)
        return fehler(u,
                      QCoreApplication::translate("zelmar::cli", "unknown command '%1'").arg(name));
    if (p.isSet(hilfe)) {
        *u.out << befehlsHilfe(*b) << Qt::flush;
        return ERFOLG;
    }

    const std::pair<const QCommandLineOption*, int> extras[] = {
        {&json, JSON},  {&ja, JA},           {&format, FORMAT}, {&adressBytes, ADRESSBYTES},
        {&wert, WERT},  {&empfang, EMPFANG}, {&chip, CHIP},     {&anzahl, ANZAHL},
        {&seite, SEITE}};
    for (const auto& [option, bit] : extras)
        if (p.isSet(*option) && !(b->extras & bit))
            return fehler(u,
                          QCoreApplication::translate("zelmar::cli", "--%1 does not apply to %2")
                              .arg(option->names().constFirst(), name),
                          name);
    const QString usage = QStringLiteral("%1 %2").arg(name, QString::fromLatin1(b->argumente));
    if (rest.size() < b->min)
        return fehler(u,
                      QCoreApplication::translate("zelmar::cli", "missing arguments: %1")
                          .arg(usage.trimmed()),
                      name);
    if (b->max >= 0 && rest.size() > b->max)
        return fehler(u,
                      QCoreApplication::translate("zelmar::cli", "too many arguments ('%1'): %2")
                          .arg(rest.at(b->max), usage.trimmed()),
                      name);

    Optionen o;
    o.port = val(port);
    if (p.isSet(port) && o.port.trimmed().isEmpty())
        return fehler(
            u, QCoreApplication::translate("zelmar::cli", "--port needs a device or a port number"),
            name);
    if (zahl(o.port, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()) &&
        !zahl(o.port, 1, 17))
        return fehler(u,
                      QCoreApplication::translate(
                          "zelmar::cli", "--port must be a device or a port number from 1 to 17, "
                                         "not '%1'")
                          .arg(o.port),
                      name);
    o.settings = val(settings);
    if (p.isSet(settings) && !parsePortSettings(o.settings))
        return fehler(u,
                      QCoreApplication::translate(
                          "zelmar::cli", "--settings '%1' is no line setting such as 19200,n,8,1")
                          .arg(o.settings),
                      name);
    auto zahlOption = [&](const QCommandLineOption& option, int min, int max,
                          std::optional<int>* ziel) {
        if (!p.isSet(option))
            return true;
        *ziel = zahl(val(option), min, max);
        return ziel->has_value();
    };
    std::optional<int> ms, bytes;
    if (!zahlOption(timeout, 1, 600000, &ms))
        return fehler(
            u,
            QCoreApplication::translate("zelmar::cli", "--timeout must be 1 to 600000 ms, not '%1'")
                .arg(val(timeout)),
            name);
    o.timeoutMs = ms.value_or(0);
    if (!zahlOption(adressBytes, 1, 2, &bytes))
        return fehler(
            u, QCoreApplication::translate("zelmar::cli", "--address-bytes must be 1 or 2"), name);
    o.adressBytes = bytes.value_or(2);
    o.adressBytesGegeben = bytes.has_value();
    if (p.isSet(chip)) {
        o.baustein = eeprom::baustein(val(chip));
        if (!o.baustein)
            return fehler(
                u,
                QCoreApplication::translate("zelmar::cli", "--chip must be one of %1, not '%2'")
                    .arg(eeprom::namen(), val(chip)),
                name);
        if (o.adressBytesGegeben && o.baustein->adressBytes != o.adressBytes)
            return fehler(
                u,
                QCoreApplication::translate("zelmar::cli", "a %1 takes %2 address byte(s), not %3")
                    .arg(o.baustein->text())
                    .arg(o.baustein->adressBytes)
                    .arg(o.adressBytes),
                name);
    }
    if (!zahlOption(wert, 0, 255, &o.wert))
        return fehler(
            u,
            QCoreApplication::translate("zelmar::cli", "--value must be 0 to 255, not '%1'")
                .arg(val(wert)),
            name);
    if (!zahlOption(empfang, 0, 65535, &o.empfangen))
        return fehler(
            u,
            QCoreApplication::translate("zelmar::cli", "--receive must be 0 to 65535, not '%1'")
                .arg(val(empfang)),
            name);
    if (!zahlOption(anzahl, 1, std::numeric_limits<int>::max(), &o.anzahl))
        return fehler(u,
                      QCoreApplication::translate("zelmar::cli",
                                                  "--count must be a whole number from 1, not '%1'")
                          .arg(val(anzahl)),
                      name);
    // A page that is no power of two, or larger than the chip's, would make the chip's own page
    // pointer wrap inside a write.
    if (!zahlOption(seite, 1, 256, &o.seite) || (o.seite && (*o.seite & (*o.seite - 1)) != 0) ||
        (o.seite && o.baustein && *o.seite > o.baustein->seite))
        return fehler(
            u,
            o.baustein ? QCoreApplication::translate("zelmar::cli",
                                                     "--page must be a power of two up to %1 (the "
                                                     "page of a %2), not '%3'")
                             .arg(o.baustein->seite)
                             .arg(o.baustein->text(), val(seite))
                       : QCoreApplication::translate(
                             "zelmar::cli", "--page must be a power of two up to 256, not '%1'")
                             .arg(val(seite)),
            name);
    if (p.isSet(format)) {
        const QString f = val(format);
        if (f == QLatin1String("txt"))
            o.format = abbild::Format::Dump;
        else if (f == QLatin1String("bin"))
            o.format = abbild::Format::Binaer;
        else if (f == QLatin1String("hex"))
            o.format = abbild::Format::IntelHex;
        else
            return fehler(u,
                          QCoreApplication::translate("zelmar::cli",
                                                      "--format must be txt, bin or hex, not '%1'")
                              .arg(f),
                          name);
    }
    o.json = p.isSet(json);
    o.ja = p.isSet(ja);

    Sitzung s(u, o, name);
    return b->lauf(s, rest);
}

} // namespace zelmar::cli
