#pragma once

namespace zelmar {

class WindowRegistry;

// The slave directory, the apartment display and the heating-house picture: "SLAVE_INFO",
// "WOHNUNG" and "HAUS_HEIZHAUS".
void registerHomeWindows(WindowRegistry& windows);

} // namespace zelmar
