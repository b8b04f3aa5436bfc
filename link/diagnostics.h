#pragma once

// The interface's own diagnostics: commands the RS232-TWI interface answers itself (connection,
// reset cause, supply voltage, name, clock, error code, bus lines, switching), and what their
// replies mean. The console's buttons and the command-line tool both read them here.

#include "link.h"
#include "reply.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace zelmar {

// The reset cause: the byte in decimal, or the name of the cause for the values the interface
// documents.
QString mcucsrText(int value);
// The bus lines that are not in order, for a non-zero pin state.
QString twiPinsText(int value);

// A reply as the diagnostics show it: whether it is good, its text, and the number it carries
// (the byte, or the clock in Hz).
struct InterfaceBefund {
    bool gut = false;
    QString text;
    double wert = 0;
};

// Sends the interface command (both counts 0, the current slave's address) and reads its reply;
// nullopt when the line failed or the frame was refused (`antwort` says which).
std::optional<InterfaceBefund> INTERFACE_ABFRAGEN(Link& link, quint8 befehl, const QLocale& locale,
                                                  Reply* antwort = nullptr);

} // namespace zelmar
