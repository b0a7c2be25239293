#include "world/Random.h"

#include <ctime>

int Random::next() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 32767u);
}

void Random::seedFromClock() {
    seed(static_cast<uint32_t>(std::time(nullptr)));
}
