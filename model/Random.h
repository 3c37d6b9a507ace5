#pragma once
// The program's one pseudo-random source. It is seeded once from the clock when
// a program starts (SeedRandomFromClock); tests seed it with a fixed number to
// make every draw reproducible. Single-threaded, like the rest of the program.

#include <cstdint>

// A uniform integer from 0 to n - 1; 0 when n is 0 or less.
int32_t RandomInt(int32_t n);

// Restarts the sequence: the same seed gives the same draws on every machine.
void SeedRandom(uint64_t seed);

// Seeds from the clock; returns the seed used.
uint64_t SeedRandomFromClock();
