#pragma once

#include "slavedirectory.h"

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

    int replyTimeoutOr(int previousMs) const { return replyTimeoutMs.value_or(previousMs); }
};

constexpr int COM_REMARK_COUNT = 16;
using ComRemarks = std::array<QString, COM_REMARK_COUNT>; // index 0 = port 1

// All paths are directories with a trailing "/"; every routine opens and closes its file.
// Readers never fail: a missing, short or garbled file gives the defaults. Settings files are
// replaced atomically, so a failed write leaves the previous file as it was.

ProgrammIni PROGRAMM_INI_LADEN(const QString& programmPfad);
bool PROGRAMM_INI_SPEICHERN(const QString& programmPfad, int comPortNr, int intervalMs);

// "19200,n,8,1" unless the line starts with a number above 0.
QString SETTINGS_INI_LADEN(const QString& programmPfad);
bool SETTINGS_INI_SPEICHERN(const QString& programmPfad, const QString& text);

void SLAVE_INFO_INI_LADEN(const QString& programmPfad, SlaveDirectory& dir);
// Empty names become "---" in the file and in `dir`.
bool SLAVE_INFO_INI_SPEICHERN(const QString& programmPfad, SlaveDirectory& dir);

// "...." for every remark the file does not have.
ComRemarks COM_INI_LADEN(const QString& programmPfad);
// false when the file could not be written or is empty afterwards.
bool COM_INI_SPEICHERN(const QString& programmPfad, const ComRemarks& remarks);

// The start-up part of the settings: settings.ini into COM_SETTINGS and onto the port,
// PROGRAMM.ini into COM_PORT_NR and the reply time-out.
void loadSettingsInto(Link& link, const QString& programmPfad);
// PROGRAMM.ini from the link's port number and reply time-out.
bool saveProgrammIni(const Link& link, const QString& programmPfad);

} // namespace zelmar
