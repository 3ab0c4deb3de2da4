#include "workers.h"

#include <string>
#include <system_error>
#include <thread>

#include "precision.h"
#include "run_time_error.h"

namespace lumora {

Workers make_workers(int count) {
  Workers w;
  for (int i = 0; i < count; ++i) w.generators.push_back(seed_worker_generator(i));
  w.tallies.resize(count);
  return w;
}

std::int64_t worker_share(std::int64_t photons, int count, int worker) {
  return photons / count + (worker < photons % count ? 1 : 0);
}

void run_on_workers(Workers& workers, const PhysicsTables& tables, const std::vector<BinWork>& bins,
                    const std::function<void(const BinWork&)>& on_bin) {
  const int count = static_cast<int>(workers.generators.size());
  auto work = [&](int w) {
    // The generator runs in a copy on the worker's own stack, so that no two
    // threads write into one cache line.
    Generator gen = workers.generators[w];
    ImageTally& tally = workers.tallies[w];
    for (const BinWork& b : bins) {
      if (w == 0 && on_bin) on_bin(b);
      const std::int64_t share = worker_share(b.photons, count, w);
      for (std::int64_t n = 0; n < share; ++n) run_history(gen, tables, tally, b.start);
    }
    workers.generators[w] = gen;
  };
  // Threads already started finish their work and are joined when `threads`
  // goes out of scope, also when a later one cannot be started.
  std::vector<std::jthread> threads;
  for (int w = 1; w < count; ++w) {
    try {
      threads.emplace_back(work, w);
    } catch (const std::system_error& e) {
      throw RunTimeError("starting worker thread " + std::to_string(w) + ": " + e.what());
    }
  }
  work(0);
}

void merge_tallies(const Workers& workers, ImageTally& tally) {
  for (const ImageTally& part : workers.tallies) {
    for (std::size_t i = 0; i < tally.image_tally.size(); ++i) {
      tally.image_tally[i] = to_float(wide(tally.image_tally[i]) + part.image_tally[i]);
    }
  }
}

}  // namespace lumora
