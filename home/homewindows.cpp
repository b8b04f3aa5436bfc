#include "homewindows.h"

#include "hausheizhauswindow.h"
#include "slaveinfowindow.h"
#include "wohnungwindow.h"

#include "shell/windowregistry.h"

namespace zelmar {

void registerHomeWindows(WindowRegistry& windows) {
    windows.add(QStringLiteral("SLAVE_INFO"),
                [](AppContext& ctx) { return new SlaveInfoWindow(ctx); });
    windows.add(QStringLiteral("WOHNUNG"), [](AppContext& ctx) { return new WohnungWindow(ctx); });
    windows.add(QStringLiteral("HAUS_HEIZHAUS"),
                [](AppContext& ctx) { return new HausHeizhausWindow(ctx); });
}

} // namespace zelmar
