#pragma once

namespace zelmar {

class WindowRegistry;

// The slave directory, the apartment display, its trend and the heating-house picture:
// "SLAVE_INFO", "WOHNUNG", "VERLAUF" and "HAUS_HEIZHAUS".
void registerHomeWindows(WindowRegistry& windows);

} // namespace zelmar
