#pragma once

#include "dateien.h"
#include "slavedirectory.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace zelmar {

class Link;

// PROGRAMM.ini as read: the serial port number and the reply time-out decision.
struct ProgrammIni {
    int COM_PORT_NR = 1; // 1..16
    // nullopt: the file asks for a negative interval, which the timer refuses; the interval
    // it already has stays in force.
    std::optional<int> replyTimeoutMs = 1100;
    // The lines as the file has them when they hold a value that is not used (else empty).
    QString portZeile;
    QString replyTimeoutZeile;

    int replyTimeoutOr(int previousMs) const { return replyTimeoutMs.value_or(previousMs); }
};

// A value of a settings file that cannot be used, and what is used instead. Reading never
// changes a file; the warning is all that is said.
struct Einstellungswarnung {
    enum class Was {
        Port,        // PROGRAMM.ini line 1
        Antwortzeit, // PROGRAMM.ini line 2
        Leitung,     // settings.ini
        PortsIni,    // PORTS.ini as a whole
    };
    Was was = Was::Port;
    QString datei;       // the file's path
    QString wert;        // the line as the file has it
    QString ersatz;      // what is used instead (a port number, milliseconds, settings, a device)
    bool bleibt = false; // Antwortzeit: `ersatz` is the interval that stays
    datei::Grund grund;  // PortsIni: why it cannot be read
    int port = 0;        // PortsIni: the port number looked up

    // One line in the program's language.
    QString text() const;
};

constexpr int COM_REMARK_COUNT = 16;
using ComRemarks = std::array<QString, COM_REMARK_COUNT>; // index 0 = port 1

// All paths are directories with a trailing "/"; every routine opens and closes its file.
// Readers never fail: a missing, short or garbled file gives the defaults. Settings files are
// replaced atomically, so a failed write leaves the previous file as it was.

ProgrammIni PROGRAMM_INI_LADEN(const QString& programmPfad);
bool PROGRAMM_INI_SPEICHERN(const QString& programmPfad, int comPortNr, int intervalMs,
                            datei::Grund* grund = nullptr);

// "19200,n,8,1" unless the line starts with a number above 0.
QString SETTINGS_INI_LADEN(const QString& programmPfad);
bool SETTINGS_INI_SPEICHERN(const QString& programmPfad, const QString& text,
                            datei::Grund* grund = nullptr);

void SLAVE_INFO_INI_LADEN(const QString& programmPfad, SlaveDirectory& dir);
// Empty names become "---" in the file and in `dir`.
bool SLAVE_INFO_INI_SPEICHERN(const QString& programmPfad, SlaveDirectory& dir,
                              datei::Grund* grund = nullptr);

// "...." for every remark the file does not have.
ComRemarks COM_INI_LADEN(const QString& programmPfad);
// false when the file could not be written or is empty afterwards.
bool COM_INI_SPEICHERN(const QString& programmPfad, const ComRemarks& remarks);

// The start-up part of the settings: settings.ini into COM_SETTINGS and onto the port,
// PROGRAMM.ini into COM_PORT_NR and the reply time-out. What could not be used goes to
// `warnungen`.
void loadSettingsInto(Link& link, const QString& programmPfad,
                      QList<Einstellungswarnung>* warnungen = nullptr);

// PORTS.ini exists but cannot be read, so port `port` is the platform's default device.
std::optional<Einstellungswarnung> portsIniWarnung(const QString& programmPfad, int port);
// PROGRAMM.ini from the link's port number and reply time-out.
bool saveProgrammIni(const Link& link, const QString& programmPfad, datei::Grund* grund = nullptr);

} // namespace zelmar
