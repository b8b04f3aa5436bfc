#include "windowcatalog.h"

#include "console/konfigurationwindow.h"
#include "home/homewindows.h"
#include "memory_tools/eepromwindow.h"
#include "memory_tools/registerwindow.h"
#include "memory_tools/sramwindow.h"
#include "shell/hilfewindow.h"
#include "shell/startwindow.h"
#include "shell/windownames.h"
#include "shell/windowregistry.h"
#include "twi_manual/handbetriebwindow.h"

namespace zelmar {

void registerAllWindows(WindowRegistry& windows) {
    windows.add(fenster::KONFIGURATION,
                [](AppContext& ctx) { return new KonfigurationWindow(ctx); });
    windows.add(fenster::HILFE, [](AppContext& ctx) { return new HilfeWindow(ctx); });
    windows.add(fenster::START, [](AppContext& ctx) { return new StartWindow(ctx); });
    registerHomeWindows(windows);
    windows.add(fenster::HAND_BETRIEB, [](AppContext& ctx) { return new HandBetriebWindow(ctx); });
    windows.add(fenster::EEPROM_EXTERN_65K,
                [](AppContext& ctx) { return new EepromExternWindow(ctx); });
    windows.add(fenster::SRAM, [](AppContext& ctx) { return new SramWindow(ctx); });
    windows.add(fenster::REGISTER, [](AppContext& ctx) { return new RegisterWindow(ctx); });
}

} // namespace zelmar
