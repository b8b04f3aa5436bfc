#pragma once

#include "files/slavedirectory.h"
#include "windowregistry.h"

#include "jobs/apartmentsession.h"
#include "link/link.h"
#include "ui/prompter.h"

#include <QLocale>
#include <QString>

#include <array>
#include <memory>

namespace zelmar {

class SystemServices;

// Lets the transaction engine reach the user through a Prompter.
class PrompterLinkNotifier : public LinkNotifier {
public:
    explicit PrompterLinkNotifier(Prompter& prompter) : m_prompter(prompter) {}
    void linkMessage(const QString& text) override { m_prompter.message(text); }
    void linkBeep() override { m_prompter.beep(); }

private:
    Prompter& m_prompter;
};

// The shared state of the program, one of each, handed to every window by reference.
// The start procedure builds it once; tests build their own around a virtual port.
class AppContext {
public:
    AppContext(Link& link, SlaveDirectory& slaves, Prompter& prompter, SystemServices& system,
               QLocale locale = QLocale::system());
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Link& link;
    SlaveDirectory& slaves;
    // Outcome of the last probe per bus address (the link keeps it: -1 acknowledged, 0 not).
    std::array<qint16, SlaveDirectory::ANZAHL>& SLAVE_GEFUNDEN;
    // Directories with their trailing "/": settings files live in the first, logbooks and
    // other data files in the second.
    QString PROGRAMM_PFAD;
    QString DATEN_PFAD;
    Prompter& prompter;
    SystemServices& system;
    // Numbers, dates and times in texts are written in this locale's manner.
    QLocale locale;
    // Base name of the program file, as the main window's status line shows it.
    QString exeName;

    SerialPort& MSComm1() { return link.MSComm1(); }

    // PROGRAMM_PFAD and, below it, DATEN_PFAD.
    void setProgrammPfad(const QString& directory);
    // Every request frame from now on goes to LOGBUCH_TWI.txt in DATEN_PFAD.
    void useTwiLogbook();

private:
    PrompterLinkNotifier m_notifier;
    std::unique_ptr<FrameLogSink> m_twiLogbook;

public:
    // The apartment's values and their daily log, shared by WOHNUNG and VERLAUF.
    ApartmentSession apartment;

public:
    // Declared last: its windows go before the state they refer to.
    WindowRegistry windows;
};

} // namespace zelmar
