#include "model/Random.h"

#include <chrono>
#include <random>

namespace {

// mt19937_64 is fully specified by the standard, and the bounded draw below
// is our own, so a seed gives the same sequence with every standard library.
std::mt19937_64& Engine() {
    static std::mt19937_64 engine(5489u);
    return engine;
}

} // namespace

int32_t RandomInt(int32_t n) {
    if (n <= 1) {
        return 0;
    }
    // Rejection sampling keeps the draw exactly uniform.
    const uint64_t range = static_cast<uint64_t>(n);
    const uint64_t limit = UINT64_MAX - (UINT64_MAX % range);
    uint64_t x;
    do {
        x = Engine()();
    } while (x >= limit);
    return static_cast<int32_t>(x % range);
}

void SeedRandom(uint64_t seed) {
    Engine().seed(seed);
}

uint64_t SeedRandomFromClock() {
    const auto seed = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()) ^
                      static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    SeedRandom(seed);
    return seed;
}
