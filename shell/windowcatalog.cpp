#include "windowcatalog.h"

#include "hilfewindow.h"
#include "startwindow.h"
#include "windowregistry.h"

#include "console/konfigurationwindow.h"
#include "home/homewindows.h"

namespace zelmar {

void registerAllWindows(WindowRegistry& windows) {
    windows.add(QStringLiteral("KONFIGURATION"),
                [](AppContext& ctx) { return new KonfigurationWindow(ctx); });
    windows.add(QStringLiteral("HILFE"), [](AppContext& ctx) { return new HilfeWindow(ctx); });
    windows.add(QStringLiteral("START"), [](AppContext& ctx) { return new StartWindow(ctx); });
    registerHomeWindows(windows);
}

} // namespace zelmar
