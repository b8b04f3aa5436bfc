// The readers of the settings files, the port list and the register notes, one fuzz target
// each (ZELMAR_FUZZ_FILE picks the file). Every reader must give values in range, and what it
// gives must survive being written back and read again unchanged.
#include "fuzzsupport.h"

#include "files/registerbemerkungen.h"
#include "files/settingsfiles.h"
#include "files/textfile.h"
#include "files/texts.h"
#include "link/hardwareserialport.h"
#include "link/virtualserialport.h"

#include <algorithm>

using namespace zelmar;
using fuzz::check;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool oneLine(const QString& s) {
    return !s.contains(QLatin1Char('\r')) && !s.contains(QLatin1Char('\n'));
}

[[maybe_unused]] void programmIni(const QByteArray& bytes, const QString& dir) {
    fuzz::put(dir + QStringLiteral("PROGRAMM.ini"), bytes);
    const ProgrammIni p = PROGRAMM_INI_LADEN(dir);
    check(p.COM_PORT_NR >= 1 && p.COM_PORT_NR <= 16, "port number 1..16");
    check(!p.replyTimeoutMs || (*p.replyTimeoutMs >= 1 && *p.replyTimeoutMs <= 65000),
          "time-out 1..65000 ms");
    const int timeout = p.replyTimeoutOr(1000);
    check(PROGRAMM_INI_SPEICHERN(dir, p.COM_PORT_NR, timeout), "PROGRAMM.ini written");
    const ProgrammIni q = PROGRAMM_INI_LADEN(dir);
    check(q.COM_PORT_NR == p.COM_PORT_NR && q.replyTimeoutMs == timeout,
          "PROGRAMM.ini reads back what was written");
}

[[maybe_unused]] void settingsIni(const QByteArray& bytes, const QString& dir) {
    // The old upper-case name is read only when the lower-case file is missing.
    const bool alt = !bytes.isEmpty() && (quint8(bytes.at(0)) & 1);
    QFile::remove(dir + QStringLiteral("settings.ini"));
    QFile::remove(dir + QStringLiteral("SETTINGS.ini"));
    fuzz::put(dir + (alt ? QStringLiteral("SETTINGS.ini") : QStringLiteral("settings.ini")), bytes);
    const QString s = SETTINGS_INI_LADEN(dir);
    check(oneLine(s), "settings are one line");
    check(s == QLatin1String("19200,n,8,1") || leadingNumber(s) > 0,
          "settings start with a number above 0");
    VirtualSerialPort port;
    if (!port.setSettings(s))
        check(port.settings() == QLatin1String("19200,n,8,1"), "refused settings change nothing");
    check(SETTINGS_INI_SPEICHERN(dir, s), "settings.ini written");
    check(SETTINGS_INI_LADEN(dir) == s, "settings.ini reads back what was written");
}

[[maybe_unused]] void slaveInfoIni(const QByteArray& bytes, const QString& dir) {
    fuzz::put(dir + QStringLiteral("SLAVE_INFO.ini"), bytes);
    SlaveDirectory first;
    SLAVE_INFO_INI_LADEN(dir, first);
    check(first.SLAVE_NAME[0] == QLatin1String("GENERAL CALL"), "address 0 is GENERAL CALL");
    for (int k = 1; k < SlaveDirectory::ANZAHL; ++k)
        check(first.SLAVE_NAME[k].size() <= 30 && oneLine(first.SLAVE_NAME[k]),
              "a name is one line of at most 30 characters");
    check(SLAVE_INFO_INI_SPEICHERN(dir, first), "SLAVE_INFO.ini written");
    const QByteArray written = fileBytes(dir + QStringLiteral("SLAVE_INFO.ini"));
    SlaveDirectory second;
    SLAVE_INFO_INI_LADEN(dir, second);
    for (int k = 0; k < SlaveDirectory::ANZAHL; ++k)
        check(second.SLAVE_NAME[k] == first.SLAVE_NAME[k] &&
                  second.SLAVE_TYP[k] == first.SLAVE_TYP[k],
              "SLAVE_INFO.ini reads back what was written");
    check(SLAVE_INFO_INI_SPEICHERN(dir, second) &&
              fileBytes(dir + QStringLiteral("SLAVE_INFO.ini")) == written,
          "a second save writes the same file");
}

[[maybe_unused]] void comIni(const QByteArray& bytes, const QString& dir) {
    fuzz::put(dir + QStringLiteral("COM.ini"), bytes);
    const ComRemarks r = COM_INI_LADEN(dir);
    for (const QString& remark : r)
        check(oneLine(remark), "a remark is one line");
    check(COM_INI_SPEICHERN(dir, r), "COM.ini written");
    check(COM_INI_LADEN(dir) == r, "COM.ini reads back what was written");
}

[[maybe_unused]] void portsIni(const QByteArray& bytes, const QString& dir) {
    fuzz::put(dir + QStringLiteral("PORTS.ini"), bytes);
    // Line n names port n, with the same line ends as every other settings file; a NUL ends
    // the name.
    const QStringList lines = textfile::readLines(dir + QStringLiteral("PORTS.ini"), 17);
    for (int n = 1; n <= 17; ++n) {
        const QString device = HardwareSerialPort::deviceFor(dir, n);
        check(!device.isEmpty() && oneLine(device), "a device name is one line");
        check(!device.contains(QChar(0)), "a device name has no NUL");
        const QString line = lines.value(n - 1);
        const int nul = line.indexOf(QChar(0));
        const QString name = line.left(nul).trimmed();
        // Before a NUL only ASCII decodes the same whether the whole line is UTF-8 or not.
        const bool ascii =
            std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
        if (!name.isEmpty() && (nul < 0 || ascii))
            check(device == name, "port n is line n of PORTS.ini, up to a NUL");
    }
}

[[maybe_unused]] void registerNotes(const QByteArray& bytes, const QString& dir) {
    const QString path = registernotizen::datei(dir, 80);
    fuzz::put(path, bytes);
    const auto notes = registernotizen::laden(path);
    check(notes.size() <= registernotizen::ANZAHL, "at most 32 notes");
    check(registernotizen::speichern(path, notes), "notes written");
    const auto again = registernotizen::laden(path);
    check(again.size() == registernotizen::ANZAHL, "32 notes after a save");
    for (int k = 0; k < registernotizen::ANZAHL; ++k)
        check(again.at(k) == notes.value(k), "the notes read back as they were written");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const QString& dir = fuzz::scratch();
    ZELMAR_FUZZ_FILE(bytes, dir);
    return 0;
}
