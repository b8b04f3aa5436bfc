#pragma once

#include <QWidget>

namespace zelmar {

class AppContext;

// The console's views, chosen in its frame "ANSICHT".
enum class Ansicht { Allgemein, Twi, TwiProfi, Modem };

// The steps of the console's 100 ms tick, in the order they run. Each step belongs either to
// the console itself or to one of its panels; panels are called for every step and act on
// their own.
enum class TickSchritt {
    Titel = 1,         // console: caption from the status line
    Ansicht = 2,       // console: frames of the view; panels: modem reception on/off
    SlaveAdresse = 3,  // address displays of the slave panels
    DatumZeit = 4,     // console: PC date and time
    Wartezeit = 5,     // reply time-out and time waited so far
    SendeHistorie = 6, // the last frames sent
    PortFarben = 7,    // colour of the chosen port
    ModemEmpfang = 8,  // modem reception
    ModemLaenge = 9,   // length of the modem text
    Eingang = 10,      // bytes waiting in the input buffer
    PortZustand = 11,  // open / close
    Rts = 12,          // RTS line
    Dtr = 13,          // DTR line
    PortSettings = 14, // port number and settings string
    ComPortNr = 15,    // console: COM_PORT_NR follows the port
};

// A panel of the console. It lives in one of the console's frames, takes part in the
// console's loading and tick, and does the rest through its own controls.
class ConsolePanel : public QWidget {
    Q_OBJECT
public:
    ConsolePanel(AppContext& ctx, QWidget* parent = nullptr) : QWidget(parent), m_ctx(ctx) {}

    // Part of the console's loading, in the order the panels were added.
    virtual void laden() {}
    virtual void tick(TickSchritt) {}
    // The view of this tick (every tick, before the SlaveAdresse step).
    virtual void ansichtAnwenden(Ansicht) {}

protected:
    AppContext& m_ctx;
};

} // namespace zelmar
