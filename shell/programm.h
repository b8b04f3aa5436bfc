#pragma once

#include <QString>

namespace zelmar {

class AppContext;

// Closes the port, saves PROGRAMM.ini, writes the ENDE line, saves SLAVE_INFO.ini and ends
// the process through ctx.system. The port settings file is left alone.
void PROGRAMM_BEENDEN(AppContext& ctx);

// The title-bar text: 0 main window, 1 console and slave windows, 2 apartment display;
// empty for any other kind.
QString STATUS_ZEILE(const AppContext& ctx, int kind);

} // namespace zelmar
