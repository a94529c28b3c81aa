// The random index generator used for random picture, transition and track order: the
// minimal standard generator of Park and Miller (multiplier 16807, modulus 2^31 - 1) on a
// 32-bit signed state, stepped with Schrage's method so no product overflows.
//
// Seed once from the current UTC time, then draw indices:
//     RandomState state;
//     SeedRandom(state, CurrentUtcTime());
//     int next = Random(state, count);   // 0 to count - 1
#pragma once

#include <cstdint>

#include "base/system_time.h"

struct RandomState {
    int32_t state = 1;
};

// state = (wHour + 1) x (wMinute + 1) x (wSecond + 1) x (wMilliseconds + 1), never 0.
void SeedRandom(RandomState& random, const SystemTime& utcNow);

// Advances the state by one step of the generator.
void StepRandom(RandomState& random);

// Steps the state and returns an index in 0 to n - 1 (0 when n is below 1).
[[nodiscard]] int Random(RandomState& random, int n);
