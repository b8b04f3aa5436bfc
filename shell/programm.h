#pragma once

#include <QString>

namespace zelmar {

class AppContext;
class HauptWindow;

// The start procedure: program and data directory, the data directory created, the START
// line of the logbook, the settings files and the slave directory loaded, slave address 127,
// "PROGRAMMSTART"; then the main window is shown. The window belongs to ctx.windows.
HauptWindow* Main(AppContext& ctx, const QString& programDir);

// Closes the port, saves PROGRAMM.ini, writes the ENDE line, saves SLAVE_INFO.ini and ends
// the process through ctx.system. The port settings file is left alone.
void PROGRAMM_BEENDEN(AppContext& ctx);

// The title-bar text: 0 main window, 1 console and slave windows, 2 apartment display;
// empty for any other kind.
QString STATUS_ZEILE(const AppContext& ctx, int kind);

} // namespace zelmar
