#include "platform/Clock.h"

#include <SDL2/SDL_timer.h>

std::uint64_t performanceCounter() {
    return SDL_GetPerformanceCounter();
}
std::uint64_t performanceFrequency() {
    return SDL_GetPerformanceFrequency();
}
