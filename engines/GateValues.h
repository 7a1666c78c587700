#pragma once
// Keeps in place, in their order, the block powers whose loudness is at or
// above gate (LUFS) and returns how many; a count below 1 gives 0.

#include <cstdint>

int32_t GateValues(double* values, int32_t count, double gate);
