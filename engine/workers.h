#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "rng.h"
#include "tally.h"
#include "transport.h"

namespace lumora {

// The multi-core mode: each energy bin's photons are split across a fixed
// number of workers, each with its own random stream (seed_worker_generator)
// and its own image tally, and the tallies are added up in worker order at
// the end. The same inputs and number of workers therefore always give the
// same Result.dat, whatever the threads' timing; it is not the single-stream
// result, which the engine keeps for one worker.
struct Workers {
  std::vector<Generator> generators;
  std::vector<ImageTally> tallies;
};

// `count` workers, streams seeded, tallies zero.
Workers make_workers(int count);

// The photons of a bin that worker `worker` of `count` runs: an equal share,
// the first photons % count workers one more.
std::int64_t worker_share(std::int64_t photons, int count, int worker);

// One energy bin of the run: its number, what its photons start with and how
// many there are.
struct BinWork {
  int bin = 0;
  BinStart start;
  std::int64_t photons = 0;
};

// Runs the bins in order: worker 0 on the calling thread, every other worker
// on a thread of its own for the whole run. Each worker takes its share of
// every bin, bin after bin, without waiting for the others, so a worker that
// the machine slows down holds nobody up until the end. `on_bin` (if set) is
// called on the calling thread as worker 0 begins each bin.
void run_on_workers(Workers& workers, const PhysicsTables& tables, const std::vector<BinWork>& bins,
                    const std::function<void(const BinWork&)>& on_bin);

// Adds the workers' tallies into `tally`, pixel by pixel, worker 0 first.
void merge_tallies(const Workers& workers, ImageTally& tally);

}  // namespace lumora
