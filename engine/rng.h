#pragma once

#include <array>
#include <cstdint>

namespace lumora {

// Additive lagged-Fibonacci generator over 14-bit integers, lags 24 and 55:
// x(n) = (x(n-24) + x(n-55)) mod 16384, seeded from a fixed constant so that
// every run draws the same sequence.
constexpr int RNG_LAG = 55;
constexpr std::int32_t RNG_SEED = 3783;
constexpr std::int32_t RNG_MODULUS = 16384;  // 2^14
// Slightly above 16384, so that no entry divides to 1 (bit pattern 46800033 hex).
constexpr float RNG_DIVISOR = 16384.1f;
constexpr int RNG_WARMUP = 1000;  // steps discarded after seeding

// The engine's value of pi: the float nearest 3.141592 (bit pattern 40490FD8 hex),
// three units in the last place below the float nearest pi. Every angle uses it.
constexpr float PI_CONST = 3.141592f;

// Generator state. Entries are indexed 1..55; index 0 is unused.
struct Generator {
  std::array<std::int32_t, RNG_LAG + 1> rng_table{};
  std::int32_t rng_j = 24;  // short-lag entry, always rng_k - 31 (mod 55)
  std::int32_t rng_k = 55;  // entry the step replaces and returns
};

// The table filled from the fixed seed, indices at their start, before warm-up.
Generator seed_table();

// A generator ready for the run: the seeded table after the warm-up steps.
Generator seed_generator();

// The generator of worker `worker` (0, 1, ...) of the multi-core mode: its own
// stream, the same for that worker whatever the number of workers, and not
// the single stream of seed_generator. See rng.cpp for why the streams are
// independent.
Generator seed_worker_generator(int worker);

// One generator step: stores and returns the new entry, 0..16383. Entries are
// never negative, so their sum mod 2^14 is its low 14 bits.
inline std::int32_t next_entry(Generator& g) {
  std::int32_t& entry = g.rng_table[g.rng_k];
  entry = (g.rng_table[g.rng_j] + entry) & (RNG_MODULUS - 1);
  const std::int32_t stored = entry;
  if (--g.rng_j == 0) g.rng_j = RNG_LAG;
  if (--g.rng_k == 0) g.rng_k = RNG_LAG;
  return stored;
}

// The uniform number an entry stands for: entry / RNG_DIVISOR, a float in [0, 1).
// Only entry 0 gives 0.
inline float uniform_of(std::int32_t entry) {
  return static_cast<float>(static_cast<double>(entry) / RNG_DIVISOR);
}

// One generator step: returns entry / RNG_DIVISOR, a float in [0, 1).
inline float next_uniform(Generator& g) {
  return uniform_of(next_entry(g));
}

}  // namespace lumora
