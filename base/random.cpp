#include "base/random.h"

namespace {

constexpr int32_t kModulus = 2147483647;  // 2^31 - 1
constexpr int32_t kMultiplier = 16807;
constexpr int32_t kQuotient = 127773;  // kModulus / kMultiplier
constexpr int32_t kRemainder = 2836;   // kModulus % kMultiplier
constexpr double kScale = 1.0 / 2147483646.0;

}  // namespace

void SeedRandom(RandomState& random, const SystemTime& utcNow) {
    // Each factor is at least 1 and the product at most 24 x 60 x 60 x 1000 for valid times;
    // out-of-range fields (a hand-made time) are folded so the state stays positive.
    int64_t seed = (static_cast<int64_t>(utcNow.wHour) + 1) * (utcNow.wMinute + 1) * (utcNow.wSecond + 1) *
                   (utcNow.wMilliseconds + 1);
    seed %= kModulus;
    random.state = seed == 0 ? 1 : static_cast<int32_t>(seed);
}

void StepRandom(RandomState& random) {
    int32_t high = random.state / kQuotient;
    int32_t low = random.state % kQuotient;
    int32_t next = kMultiplier * low - kRemainder * high;
    if (next < 0) next += kModulus;
    random.state = next;
}

int Random(RandomState& random, int n) {
    StepRandom(random);
    if (n < 1) return 0;
    double scaled = static_cast<double>(random.state) * n * kScale;
    int index = scaled >= static_cast<double>(n - 1) ? n - 1 : static_cast<int>(scaled);
    return index < 0 ? 0 : index;
}
