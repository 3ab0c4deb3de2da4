#include "workers.h"

#include <gtest/gtest.h>

#include <numeric>

#include "engine_test_files.h"

namespace lumora {
namespace {

using test::fixture_tables;

TEST(Workers, SharesSplitTheBinWithTheRemainderFirst) {
  struct Case {
    std::int64_t photons;
    int count;
    std::vector<std::int64_t> shares;
  };
  const Case cases[] = {
      {10, 3, {4, 3, 3}}, {2, 4, {1, 1, 0, 0}}, {8, 2, {4, 4}}, {7, 1, {7}}, {0, 2, {0, 0}}};
  for (const Case& c : cases) {
    std::vector<std::int64_t> shares;
    for (int w = 0; w < c.count; ++w) shares.push_back(worker_share(c.photons, c.count, w));
    EXPECT_EQ(shares, c.shares) << c.photons << " photons, " << c.count << " workers";
  }
}

std::vector<std::int32_t> first_entries(Generator g, int n) {
  std::vector<std::int32_t> entries;
  for (int i = 0; i < n; ++i) entries.push_back(next_entry(g));
  return entries;
}

// Every worker has a stream of its own, the same on every call, and none is
// the single stream.
TEST(Workers, StreamsAreReproducibleAndDistinct) {
  std::vector<std::vector<std::int32_t>> streams = {first_entries(seed_generator(), 200)};
  for (int w = 0; w < 4; ++w) {
    const Generator g = seed_worker_generator(w);
    EXPECT_EQ(g.rng_table, seed_worker_generator(w).rng_table) << "worker " << w;
    EXPECT_EQ(g.rng_k, 45);
    const auto [low, high] = std::minmax_element(g.rng_table.begin() + 1, g.rng_table.end());
    EXPECT_GE(*low, 0);
    EXPECT_LE(*high, RNG_MODULUS - 1);
    streams.push_back(first_entries(g, 200));
  }
  for (std::size_t a = 0; a < streams.size(); ++a) {
    for (std::size_t b = a + 1; b < streams.size(); ++b) {
      int equal = 0;
      for (int i = 0; i < 200; ++i) equal += streams[a][i] == streams[b][i];
      EXPECT_LT(equal, 5) << "streams " << a << " and " << b;  // about 200 / 16384 by chance
    }
  }
}

ImageTally run_on_workers(int count) {
  const PhysicsTables tables = fixture_tables();
  Workers workers = make_workers(count);
  const std::vector<BinWork> bins = {{60, bin_start(tables.material, 30.0f), 5001},
                                     {160, bin_start(tables.material, 80.0f), 5001}};
  std::vector<int> shown;
  run_on_workers(workers, tables, bins, [&](const BinWork& b) { shown.push_back(b.bin); });
  EXPECT_EQ(shown, (std::vector<int>{60, 160}));
  ImageTally tally;
  merge_tallies(workers, tally);
  return tally;
}

TEST(Workers, TheSameCountGivesTheSameImages) {
  const ImageTally first = run_on_workers(3);
  EXPECT_EQ(run_on_workers(3).image_tally, first.image_tally);
  EXPECT_GT(test::image_total(first, 2), 0.0);
  EXPECT_NE(run_on_workers(2).image_tally, first.image_tally);
}

TEST(Workers, MergeAddsInWorkerOrder) {
  Workers workers = make_workers(3);
  workers.tallies[0].at(1, 1, 1) = 1.0f;
  workers.tallies[1].at(1, 1, 1) = 1e8f;
  workers.tallies[2].at(1, 1, 1) = -1e8f;  // (1 + 1e8) - 1e8 = 0 in float; 1 + (1e8 - 1e8) = 1
  workers.tallies[2].at(3, 150, 150) = 2.5f;
  ImageTally tally;
  merge_tallies(workers, tally);
  EXPECT_EQ(tally.at(1, 1, 1), 0.0f);
  EXPECT_EQ(tally.at(3, 150, 150), 2.5f);
}

}  // namespace
}  // namespace lumora
