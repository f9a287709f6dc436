#pragma once
// The table window as its openers see it.
#include <cstdint>

namespace ludra {

struct CampiInputTab {
    // The table index handed to the picker and back; -1 none. Starts at 0 and keeps its
    // value while the window is closed.
    std::int16_t TabAttiva = 0;
};

extern CampiInputTab InputTab;

} // namespace ludra
