#include "engine/net/PathManager.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/core/Clock.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/net/EventPath.h"
#include "engine/net/PathFind.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectSnapshot.h"

namespace mo {

namespace {

// The cell a position lies in. Positions beyond the range of int give a
// cell no world has.
PathFind::Cell cellOf(Vector where) {
  auto whole = [](float value) {
    const double cell = std::floor(static_cast<double>(value));
    return cell >= 0.0 && cell < 2147483647.0 ? static_cast<int>(cell) : -1;
  };
  return PathFind::Cell{whole(where.getX()), whole(where.getY())};
}

}  // namespace

PathManager::PathManager() : min_cycle_time(0), pass_index(0), cycle_steps(0) {
  setType("PathManager");
}

PathManager::~PathManager() = default;

PathManager& PathManager::getInstance() {
  static PathManager path_manager;
  return path_manager;
}

int PathManager::startUp() {
  if (isStarted()) {
    LogManager::getInstance().writeLog("PathManager::startup(): already started.");
    return 0;
  }
  min_cycle_time = GameManager::getInstance().getFrameTime() / 10;
  Manager::startUp();
  LogManager::getInstance().writeLog(5, "PathManager::startUp(): successfully started.");
  return 0;
}

void PathManager::shutDown() {
  Manager::shutDown();
  LogManager::getInstance().writeLog(5, "PathManager::shutDown(): successfully stopped.");
}

void PathManager::reset() {
  search_list.clear();
  min_cycle_time = 0;
  pass_index = 0;
  cycle_steps = 0;
  resetManager();
}

int PathManager::findPath(Object* p_obj, Vector destination, Object* p_target) {
  LogManager& log = LogManager::getInstance();
  if (!isStarted()) {
    log.writeLog("PathManager::findPath(): Error! PathManager not started.");
    return -1;
  }
  if (!p_obj) {
    log.writeLog("PathManager::findPath(): Error! No object to move.");
    return -1;
  }
  const PathFind::Cell start = cellOf(p_obj->getPosition());
  const PathFind::Cell goal = cellOf(destination);
  if (!PathFind::isInWorld(goal)) {
    log.writeLog("PathManager::findPath(): Error! Destination (%s,%s) outside the world.",
                 toString(destination.getX()).c_str(), toString(destination.getY()).c_str());
    return -1;
  }
  if (!PathFind::isInWorld(start)) {
    log.writeLog("PathManager::findPath(): Error! Object %d at (%s,%s) is outside the world.",
                 p_obj->getId(), toString(p_obj->getPosition().getX()).c_str(),
                 toString(p_obj->getPosition().getY()).c_str());
    return -1;
  }
  auto p_search = std::make_unique<PathFind>(p_obj, start, goal, p_target);
  if (!p_search->hasNodeGraph()) {
    log.writeLog("PathManager::findPath(): Error! No room for a search of this world.");
    return -1;
  }
  search_list.push_back(p_search.get());
  p_obj->setPathSearch(std::move(p_search));
  return 0;
}

void PathManager::cycle(int cycle_time) {
  const int limit = std::max(cycle_time, min_cycle_time);
  const Clock clock;
  auto elapsed = [&clock] { return clock.split() / 1000; };
  runPasses([&](bool before_pass) { return before_pass ? elapsed() >= limit : elapsed() > limit; });
  if (elapsed() > limit) {
    LogManager::getInstance().writeLog(5, "PathManager::cycle(): cycle time %d exceeded.", limit);
  }
}

void PathManager::cycleSteps(int steps) {
  runPasses([this, steps](bool) { return cycle_steps >= steps; });
}

template <typename Done>
void PathManager::runPasses(Done done) {
  cycle_steps = 0;
  while (!search_list.empty()) {
    if (done(true)) break;
    // Handlers may start or end searches; the length is read afresh and
    // a search that moves into a freed place waits for the next pass.
    for (pass_index = 0; pass_index < search_list.size(); pass_index++) {
      PathFind* p_search = search_list[pass_index];
      const int result = p_search->cycleOnce();
      cycle_steps++;
      if (result == PATH_NONE || result == PATH_FOUND) report(p_search, result);
      if (done(false)) break;
    }
  }
}

void PathManager::report(PathFind* p_search, int result) {
  Object* p_obj = p_search->getObject();
  const EventPath event(result, p_search->getPath());
  const ObjectSnapshot receiver(p_obj);
  p_obj->eventHandler(&event);
  // A handler that does not pass the event on to Object's would leave the
  // ended search listed, to be reported again on every pass. A search
  // started meanwhile has not run a step and is left alone.
  if (!receiver.at(0)) return;
  const PathFind* p_held = p_obj->getPathSearch();
  if (p_held && p_held->getResult() != PATH_SEARCHING) p_obj->setPathSearch(nullptr);
}

int PathManager::removePathFind(PathFind* p_path_find) {
  if (!p_path_find) return -1;
  const auto end = std::remove(search_list.begin(), search_list.end(), p_path_find);
  if (end == search_list.end()) return -1;
  search_list.erase(end, search_list.end());
  return 0;
}

void PathManager::forgetTarget(const Object* p_o) {
  for (PathFind* p_search : search_list) {
    if (p_search->getTarget() == p_o) p_search->forgetTarget();
  }
}

}  // namespace mo
