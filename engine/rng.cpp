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

}  // namespace lumora
