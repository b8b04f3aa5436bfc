#pragma once

namespace zelmar {

class WindowRegistry;

// Every window this build has, by name. A window of the system that is not listed here is
// shown greyed wherever it would be opened.
void registerAllWindows(WindowRegistry& windows);

} // namespace zelmar
