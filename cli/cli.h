#pragma once

// zelmar-cli: one command on the link per run, for scripts and machines without a screen. The
// same link, jobs and files as the windows; only the talking to the user differs.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QTextStream;

namespace zelmar::cli {

// Exit statuses.
enum Ausgang {
    ERFOLG = 0,
    FEHLER = 1,      // the link or the device failed, a file could not be read or written
    AUFRUF = 2,      // usage error: the message names the problem
    UNTERSCHIED = 3, // verify or check found differences
};

// What a run sees of the world around it.
struct Umgebung {
    // The name messages on standard error start with.
    QString programm = QStringLiteral("zelmar-cli");
    // Where PORTS.ini, the settings files, SLAVE_INFO.ini and DATEN/ live.
    QString programmPfad;
    QTextStream* out = nullptr;
    QTextStream* err = nullptr;
    // One line of standard input, for the confirmation of restore and erase; nullopt when the
    // user interrupted the question (Ctrl+C).
    std::function<std::optional<QString>()> zeileLesen;
    bool eingabeTerminal = false; // standard input is a terminal: a question may be asked
    bool fehlerTerminal = false;  // standard error is a terminal: a progress bar is drawn
};

// "zelmar-cli 1.3"
QString versionText();

// Runs the command line (without the program's name); returns the exit status.
int ausfuehren(const QStringList& argumente, const Umgebung& umgebung);

// Cancels the job under way, which ends after its transaction and its closing step (the STOP
// that releases the bus, the temporary file removed); false when no job runs.
bool unterbrechen();

} // namespace zelmar::cli
