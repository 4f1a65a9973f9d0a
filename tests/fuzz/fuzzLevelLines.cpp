// Fuzz target: level lines placed by populateWorld, then five frames of
// play.
#include <sstream>
#include <string>
#include <vector>

#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/world/WorldManager.h"
#include "fuzz/FuzzTarget.h"
#include "game/MapLoader.h"

namespace {

/// The text split at line feeds, as the level reader splits a file.
std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) result.push_back(line);
  return result;
}

}  // namespace

MO_FUZZ_TARGET(levelLines) {
  mo::fuzz::freshEngine();
  mo::WorldManager& world = mo::WorldManager::getInstance();
  world.startUp();
  world.setBoundary(mo::Box(mo::Vector(), 120, 48));
  world.setView(mo::Box(mo::Vector(), 80, 24));
  gh::populateWorld(lines(mo::fuzz::text(p_data, size)));
  for (int frame = 0; frame < 5; frame++) {
    mo::EventStep step(frame);
    mo::GameManager::getInstance().onEvent(&step);
    world.update();
    world.draw();
  }
  world.shutDown();
}
