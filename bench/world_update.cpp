// Cost of one world update, with the collision query scanning every
// solid object (plain) and with the spatial grid (fast): N HARD objects,
// five in six of them moving and the rest standing walls, scattered over
// a square so that movers keep running into walls and into each other. A
// mover turns back on every collision it causes and on leaving the
// world, so the scene stays busy and bounded. Both versions run the same
// frames from the same start and see the same collisions.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "compare.h"
#include "engine/Morvane.h"

namespace {

/// Counts the collisions it causes and turns back on each, and on
/// leaving the world.
class Bouncer : public mo::Object {
 public:
  int eventHandler(const mo::Event* p_e) override {
    const std::string type = p_e->getType();
    if (type == mo::COLLISION_EVENT) {
      const auto* p_c = static_cast<const mo::EventCollision*>(p_e);
      if (p_c->getObject1() != this) return 0;
      collisions++;
      turnBack();
      return 1;
    }
    if (type == mo::OUT_EVENT) {
      turnBack();
      return 1;
    }
    return 0;
  }
  static long collisions;

 private:
  void turnBack() {
    mo::Vector velocity = getVelocity();
    velocity.scale(-1);
    setVelocity(velocity);
  }
};

long Bouncer::collisions = 0;

/// A small deterministic generator, so that every run sees the same
/// scene.
class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state(seed) {}
  /// A value in [0, 1).
  float next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / static_cast<float>(1u << 24);
  }

 private:
  std::uint32_t state;
};

/// Builds the scene of n objects and runs frames updates of it; the
/// seconds the updates took.
double runUpdates(int n, int frames, bool plain, long* p_collisions) {
  mo::WorldManager& world = mo::WorldManager::getInstance();
  world.startUp();
  bench::selectPlain(plain);
  const int movers = n * 5 / 6;
  const int walls = n - movers;

  // One object per 3 x 3 cells on average: crowded enough that a mover
  // meets something every few steps.
  const int side = static_cast<int>(std::ceil(std::sqrt(9.0 * n)));
  world.setBoundary(mo::Box(mo::Vector(0, 0), static_cast<float>(side), static_cast<float>(side)));
  world.setView(world.getBoundary());

  // Objects stand on distinct cells of a shuffled grid, so none starts
  // overlapping another.
  Lcg random(42);
  std::vector<int> cells(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
  for (std::size_t i = 0; i < cells.size(); i++) cells[i] = static_cast<int>(i);
  for (std::size_t i = cells.size() - 1; i > 0; i--) {
    const auto j = static_cast<std::size_t>(random.next() * static_cast<float>(i + 1));
    std::swap(cells[i], cells[std::min(j, i)]);
  }
  std::size_t cell = 0;
  auto place = [&](mo::Object* p_o) {
    const int at = cells[cell++];
    p_o->setPosition(mo::Vector(static_cast<float>(at % side) + 0.5f,
                                static_cast<float>(at / side) + 0.5f));
  };
  for (int i = 0; i < walls; i++) place(new mo::Object);
  for (int i = 0; i < movers; i++) {
    auto* p_o = new Bouncer;
    place(p_o);
    p_o->setVelocity(mo::Vector(random.next() - 0.5f, random.next() - 0.5f));
  }

  Bouncer::collisions = 0;
  const double seconds = bench::secondsOf([&] {
    for (int i = 0; i < frames; i++) world.update();
  });
  *p_collisions = Bouncer::collisions;
  world.shutDown();
  bench::selectPlain(false);
  return seconds;
}

void BM_WorldUpdate(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const int frames = static_cast<int>(state.range(1));
  long plain_collisions = 0;
  long fast_collisions = 0;
  for (auto _ : state) {
    const double plain = runUpdates(n, frames, true, &plain_collisions);
    const double fast = runUpdates(n, frames, false, &fast_collisions);
    bench::report(state, plain, fast, frames);
  }
  state.counters["collisions/update"] = static_cast<double>(fast_collisions) / frames;
  if (plain_collisions != fast_collisions) state.SkipWithError("the versions disagree");
}
BENCHMARK(BM_WorldUpdate)
    ->ArgNames({"objects", "frames"})
    ->Args({100, 4000})
    ->Args({2000, 100})
    ->Args({10000, 10})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
