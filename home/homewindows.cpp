#include "homewindows.h"

#include "hausheizhauswindow.h"
#include "shell/windownames.h"
#include "slaveinfowindow.h"
#include "verlaufwindow.h"
#include "wohnungwindow.h"

#include "shell/windowregistry.h"

namespace zelmar {

void registerHomeWindows(WindowRegistry& windows) {
    windows.add(fenster::SLAVE_INFO, [](AppContext& ctx) { return new SlaveInfoWindow(ctx); });
    windows.add(fenster::WOHNUNG, [](AppContext& ctx) { return new WohnungWindow(ctx); });
    windows.add(fenster::HAUS_HEIZHAUS,
                [](AppContext& ctx) { return new HausHeizhausWindow(ctx); });
    windows.add(fenster::VERLAUF, [](AppContext& ctx) { return new VerlaufWindow(ctx); });
}

} // namespace zelmar
