#include "rng.h"

namespace lumora {

Generator seed_table() {
  Generator g;
  g.rng_table[1] = RNG_SEED;
  for (int i = 2; i <= RNG_LAG; ++i) g.rng_table[i] = (2 * g.rng_table[i - 1] + i) % RNG_MODULUS;
  g.rng_j = 24;
  g.rng_k = RNG_LAG;
  return g;
}

Generator seed_generator() {
  Generator g = seed_table();
  for (int i = 0; i < RNG_WARMUP; ++i) next_uniform(g);
  return g;
}

// Streams of the multi-core mode.
//
// The additive generator x(n) = x(n-24) + x(n-55) mod 2^14 has, for any table
// with at least one odd entry, the period 2^13 * (2^55 - 1), about 3 * 10^20
// draws (the trinomial x^55 + x^24 + 1 is primitive); a run of 10^7 histories
// takes about 10^8 draws. Its state space of such tables (55 entries of 14
// bits) splits into 2^(13 * 54) = 2^702 disjoint cycles of that full length.
// A worker's table is 55 entries filled from a splitmix64 sequence (a 64-bit
// counter through a strong bit mixer) with a fixed seed: worker w takes the
// outputs 55w + 1 .. 55w + 55, the top 14 bits of each, so no two workers
// share a single table value drawn from the mixer. Tables filled this way lie,
// but for a chance of the order of N^2 / 2^702, on different cycles, and
// streams on different cycles never overlap or repeat each other; on a
// common cycle they would start so far apart (the cycle is 3 * 10^20 long)
// that runs could not reach each other. The warm-up of RNG_WARMUP steps, as
// for the single stream, lets every entry mix with the others before the
// first draw. What remains is the generator's own weakness, the same in every
// stream: a lagged-Fibonacci sequence satisfies its three-term relation
// exactly, and it only has 14-bit resolution.
namespace {

constexpr std::uint64_t WORKER_STREAM_SEED = 0x4C756D69636F7265;  // "Lumicore" in ASCII
constexpr std::uint64_t SPLITMIX_GAMMA = 0x9E3779B97F4A7C15;

// One splitmix64 step (Steele, Lea and Flood, 2014).
std::uint64_t splitmix64(std::uint64_t& state) {
  state += SPLITMIX_GAMMA;
  std::uint64_t z = state;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
  return z ^ (z >> 31);
}

}  // namespace

Generator seed_worker_generator(int worker) {
  Generator g;
  // Skip to output 55 * worker + 1 of the sequence: the counter advances by
  // the gamma at every output.
  std::uint64_t state =
      WORKER_STREAM_SEED + SPLITMIX_GAMMA * RNG_LAG * static_cast<std::uint64_t>(worker);
  bool any_odd = false;
  for (int i = 1; i <= RNG_LAG; ++i) {
    g.rng_table[i] = static_cast<std::int32_t>(splitmix64(state) >> 50);  // top 14 bits
    any_odd = any_odd || (g.rng_table[i] & 1) != 0;
  }
  // An all-even table would never give an odd entry (a shorter period, half
  // the values): make one entry odd. It happens once in 2^55 tables.
  if (!any_odd) g.rng_table[1] |= 1;
  g.rng_j = 24;
  g.rng_k = RNG_LAG;
  for (int i = 0; i < RNG_WARMUP; ++i) next_entry(g);
  return g;
}

}  // namespace lumora
