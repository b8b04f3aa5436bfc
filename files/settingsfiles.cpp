#include "settingsfiles.h"

#include "textfile.h"
#include "texts.h"

#include "link/hardwareserialport.h"
#include "link/link.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace zelmar {

using textfile::inDir;

namespace {

const QString kDefaultSettings = QStringLiteral("19200,n,8,1");
constexpr int kDefaultReplyTimeoutMs = 1100;
constexpr double kMaxReplyTimeoutMs = 65000;

QString threeDigits(int value) {
    return QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
}

} // namespace

ProgrammIni PROGRAMM_INI_LADEN(const QString& programmPfad) {
    ProgrammIni result;
    const QStringList lines = textfile::readLines(inDir(programmPfad, "PROGRAMM.ini"), 2);

    const double port = lines.size() > 0 ? leadingNumber(lines[0]) : 0;
    if (port >= 1 && port <= 16)
        result.COM_PORT_NR = int(nearestWhole(port));
    else if (lines.size() > 0)
        result.portZeile = lines[0].trimmed();

    const double timeout = lines.size() > 1 ? leadingNumber(lines[1]) : 0;
    if (timeout < 0) {
        result.replyTimeoutMs.reset();
        result.replyTimeoutZeile = lines[1].trimmed();
    } else if (timeout > 0 && timeout <= kMaxReplyTimeoutMs && nearestWhole(timeout) > 0) {
        // A fraction below one half would round to 0, and a zero interval is no time-out at
        // all: every read would end at once. It counts as unreadable like 0 itself.
        result.replyTimeoutMs = int(nearestWhole(timeout));
    } else {
        result.replyTimeoutMs = kDefaultReplyTimeoutMs;
        if (lines.size() > 1)
            result.replyTimeoutZeile = lines[1].trimmed();
    }
    return result;
}

bool PROGRAMM_INI_SPEICHERN(const QString& programmPfad, int comPortNr, int intervalMs,
                            datei::Grund* grund) {
    return textfile::writeLines(inDir(programmPfad, "PROGRAMM.ini"),
                                {printForm(comPortNr), printForm(intervalMs)}, grund);
}

namespace {

// The line of settings.ini and the file it came from.
QString settingsZeile(const QString& programmPfad, QString* pfad) {
    // The console of old installations wrote the upper-case name; both names mean one file,
    // and the lower-case one is the file of this program.
    *pfad = inDir(programmPfad, "settings.ini");
    if (!QFileInfo(*pfad).isFile())
        *pfad = inDir(programmPfad, "SETTINGS.ini");
    return textfile::readLines(*pfad, 1).value(0);
}

} // namespace

QString SETTINGS_INI_LADEN(const QString& programmPfad) {
    QString pfad;
    const QString line = settingsZeile(programmPfad, &pfad);
    return leadingNumber(line) > 0 ? line : kDefaultSettings;
}

bool SETTINGS_INI_SPEICHERN(const QString& programmPfad, const QString& text, datei::Grund* grund) {
    return textfile::writeLines(inDir(programmPfad, "settings.ini"), {textfile::oneLine(text)},
                                grund);
}

void SLAVE_INFO_INI_LADEN(const QString& programmPfad, SlaveDirectory& dir) {
    dir.clear();
    const QStringList lines =
        textfile::readLines(inDir(programmPfad, "SLAVE_INFO.ini"), SlaveDirectory::ANZAHL);
    for (int k = 0; k < lines.size(); ++k) {
        const QString& line = lines[k];
        if (line.isEmpty())
            continue;
        // The line's position is the address; its first three characters are not checked.
        const double typ = nearestWhole(leadingNumber(QStringView(line).mid(3, 3)));
        dir.SLAVE_TYP[k] = (typ >= 0 && typ <= 255) ? quint8(typ) : 0;
        // A line too short for a name gives an empty one, which the next save writes as "---".
        dir.SLAVE_NAME[k] = line.mid(6, 30);
    }
    dir.SLAVE_NAME[0] = QStringLiteral("GENERAL CALL");
}

bool SLAVE_INFO_INI_SPEICHERN(const QString& programmPfad, SlaveDirectory& dir,
                              datei::Grund* grund) {
    QStringList lines;
    for (int k = 0; k < SlaveDirectory::ANZAHL; ++k) {
        if (dir.SLAVE_NAME[k].isEmpty())
            dir.SLAVE_NAME[k] = QStringLiteral("---");
        // A name read from a slave may hold any byte; a line break would shift every later
        // address by one line on the next start.
        lines << threeDigits(k) + threeDigits(dir.SLAVE_TYP[k]) +
                     textfile::oneLine(dir.SLAVE_NAME[k]);
    }
    return textfile::writeLines(inDir(programmPfad, "SLAVE_INFO.ini"), lines, grund);
}

ComRemarks COM_INI_LADEN(const QString& programmPfad) {
    ComRemarks remarks;
    remarks.fill(QStringLiteral("...."));
    const QStringList lines = textfile::readLines(inDir(programmPfad, "COM.ini"), COM_REMARK_COUNT);
    for (int i = 0; i < lines.size(); ++i)
        remarks[i] = lines[i];
    return remarks;
}

bool COM_INI_SPEICHERN(const QString& programmPfad, const ComRemarks& remarks) {
    QStringList lines;
    for (const QString& remark : remarks)
        lines << textfile::oneLine(remark);
    const QString path = inDir(programmPfad, "COM.ini");
    const bool written = textfile::writeLines(path, lines);
    const QFileInfo info(path);
    return written && info.isFile() && info.size() > 0;
}

QString Einstellungswarnung::text() const {
    switch (was) {
    case Was::Port:
        return QCoreApplication::translate(
                   "zelmar::Einstellungen",
                   "%1 Zeile 1: Port \"%2\" liegt nicht in 1 bis 16; Port %3 wird "
                   "verwendet")
            .arg(datei, wert, ersatz);
    case Was::Antwortzeit:
        return QCoreApplication::translate(
                   "zelmar::Einstellungen",
                   "%1 Zeile 2: Antwortzeit \"%2\" liegt nicht in 1 bis 65000 ms; %3")
            .arg(datei, wert,
                 (bleibt ? QCoreApplication::translate("zelmar::Einstellungen",
                                                       "die bisherigen %1 ms bleiben")
                         : QCoreApplication::translate("zelmar::Einstellungen",
                                                       "%1 ms werden verwendet"))
                     .arg(ersatz));
    case Was::Leitung:
        return QCoreApplication::translate(
                   "zelmar::Einstellungen",
                   "%1: \"%2\" ist keine Schnittstelleneinstellung wie 19200,n,8,1; "
                   "%3 wird verwendet")
            .arg(datei, wert, ersatz);
    case Was::PortsIni:
        return QCoreApplication::translate("zelmar::Einstellungen",
                                           "%1 kann nicht gelesen werden (%2); Port %3 ist %4")
            .arg(datei, grund.text())
            .arg(port)
            .arg(ersatz);
    }
    return QString();
}

void loadSettingsInto(Link& link, const QString& programmPfad,
                      QList<Einstellungswarnung>* warnungen) {
    QList<Einstellungswarnung> w;
    QString settingsDatei;
    const QString zeile = settingsZeile(programmPfad, &settingsDatei).trimmed();
    link.COM_SETTINGS = SETTINGS_INI_LADEN(programmPfad);
    // A setting the port refuses leaves the one it has.
    const bool genommen = link.MSComm1().setSettings(link.COM_SETTINGS);
    if (!zeile.isEmpty() && (!genommen || !(leadingNumber(zeile) > 0))) {
        Einstellungswarnung e;
        e.was = Einstellungswarnung::Was::Leitung;
        e.datei = settingsDatei;
        e.wert = zeile;
        e.ersatz = link.MSComm1().settings();
        w << e;
    }

    const ProgrammIni programm = PROGRAMM_INI_LADEN(programmPfad);
    const QString programmDatei = inDir(programmPfad, "PROGRAMM.ini");
    link.COM_PORT_NR = programm.COM_PORT_NR;
    if (!programm.portZeile.isEmpty()) {
        Einstellungswarnung e;
        e.was = Einstellungswarnung::Was::Port;
        e.datei = programmDatei;
        e.wert = programm.portZeile;
        e.ersatz = QString::number(programm.COM_PORT_NR);
        w << e;
    }
    if (programm.replyTimeoutMs)
        link.setReplyTimeout(*programm.replyTimeoutMs);
    if (!programm.replyTimeoutZeile.isEmpty()) {
        Einstellungswarnung e;
        e.was = Einstellungswarnung::Was::Antwortzeit;
        e.datei = programmDatei;
        e.wert = programm.replyTimeoutZeile;
        e.ersatz = QString::number(link.replyTimeout());
        e.bleibt = !programm.replyTimeoutMs;
        w << e;
    }
    if (warnungen)
        *warnungen = w;
}

std::optional<Einstellungswarnung> portsIniWarnung(const QString& programmPfad, int port) {
    const QString pfad = inDir(programmPfad, "PORTS.ini");
    QFile f;
    datei::Grund grund;
    if (datei::oeffnen(f, pfad, QIODevice::ReadOnly, &grund) ||
        grund.art == datei::Grund::Art::Fehlt)
        return std::nullopt;
    Einstellungswarnung e;
    e.was = Einstellungswarnung::Was::PortsIni;
    e.datei = pfad;
    e.grund = grund;
    e.port = port;
    e.ersatz = HardwareSerialPort::deviceFor(programmPfad, port);
    return e;
}

bool saveProgrammIni(const Link& link, const QString& programmPfad, datei::Grund* grund) {
    return PROGRAMM_INI_SPEICHERN(programmPfad, link.COM_PORT_NR, link.replyTimeout(), grund);
}

} // namespace zelmar
