#include "settingsfiles.h"

#include "textfile.h"
#include "texts.h"

#include "link/link.h"

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

    const double timeout = lines.size() > 1 ? leadingNumber(lines[1]) : 0;
    if (timeout < 0) {
        result.replyTimeoutMs.reset();
    } else if (timeout > 0 && timeout <= kMaxReplyTimeoutMs && nearestWhole(timeout) > 0) {
        // A fraction below one half would round to 0, and a zero interval is no time-out at
        // all: every read would end at once. It counts as unreadable like 0 itself.
        result.replyTimeoutMs = int(nearestWhole(timeout));
    } else {
        result.replyTimeoutMs = kDefaultReplyTimeoutMs;
    }
    return result;
}

bool PROGRAMM_INI_SPEICHERN(const QString& programmPfad, int comPortNr, int intervalMs) {
    return textfile::writeLines(inDir(programmPfad, "PROGRAMM.ini"),
                                {printForm(comPortNr), printForm(intervalMs)});
}

QString SETTINGS_INI_LADEN(const QString& programmPfad) {
    // The console of old installations wrote the upper-case name; both names mean one file,
    // and the lower-case one is the file of this program.
    QString path = inDir(programmPfad, "settings.ini");
    if (!QFileInfo(path).isFile())
        path = inDir(programmPfad, "SETTINGS.ini");
    const QStringList lines = textfile::readLines(path, 1);
    if (lines.isEmpty() || !(leadingNumber(lines[0]) > 0))
        return kDefaultSettings;
    return lines[0];
}

bool SETTINGS_INI_SPEICHERN(const QString& programmPfad, const QString& text) {
    return textfile::writeLines(inDir(programmPfad, "settings.ini"), {textfile::oneLine(text)});
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

bool SLAVE_INFO_INI_SPEICHERN(const QString& programmPfad, SlaveDirectory& dir) {
    QStringList lines;
    for (int k = 0; k < SlaveDirectory::ANZAHL; ++k) {
        if (dir.SLAVE_NAME[k].isEmpty())
            dir.SLAVE_NAME[k] = QStringLiteral("---");
        // A name read from a slave may hold any byte; a line break would shift every later
        // address by one line on the next start.
        lines << threeDigits(k) + threeDigits(dir.SLAVE_TYP[k]) +
                     textfile::oneLine(dir.SLAVE_NAME[k]);
    }
    return textfile::writeLines(inDir(programmPfad, "SLAVE_INFO.ini"), lines);
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

void loadSettingsInto(Link& link, const QString& programmPfad) {
    link.COM_SETTINGS = SETTINGS_INI_LADEN(programmPfad);
    link.MSComm1().setSettings(link.COM_SETTINGS);
    const ProgrammIni programm = PROGRAMM_INI_LADEN(programmPfad);
    link.COM_PORT_NR = programm.COM_PORT_NR;
    if (programm.replyTimeoutMs)
        link.setReplyTimeout(*programm.replyTimeoutMs);
}

bool saveProgrammIni(const Link& link, const QString& programmPfad) {
    return PROGRAMM_INI_SPEICHERN(programmPfad, link.COM_PORT_NR, link.replyTimeout());
}

} // namespace zelmar
