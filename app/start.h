#pragma once

#include <QString>

namespace zelmar {

class AppContext;
class HauptWindow;

// The start procedure: PROGRAMM_PFAD (as datalocation chose it) and DATEN_PFAD below it, both
// created when missing, the START line of the logbook, the settings files and the slave
// directory loaded, slave address 127, "PROGRAMMSTART"; then the main window is shown. The
// window belongs to ctx.windows.
HauptWindow* Main(AppContext& ctx, const QString& programmPfad);

} // namespace zelmar
