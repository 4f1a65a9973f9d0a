#include "engine/world/SceneGraph.h"

#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/ObjectListIterator.h"

namespace mo {

namespace {

bool altitudeInRange(int altitude) { return altitude >= 0 && altitude <= MAX_ALTITUDE; }

// List failures in the activity, visibility, altitude and solidness
// updates count only while the game runs; once it is over (objects
// being torn down) they pass silently.
bool failureCounts() { return !GameManager::getInstance().getGameOver(); }

}  // namespace

SceneGraph::SceneGraph() : use_grid(true) {}

int SceneGraph::startUp() {
  type_map.clear();
  LogManager::getInstance().writeLog(
      1, use_grid ? "Scenegraph configuration: GRID" : "Scenegraph configuration: SIMPLE");
  return 0;
}

void SceneGraph::setSpatialIndex(bool on) {
  grid.clear();
  use_grid = on;
  if (!on) return;
  // Filed in the solid list's order, so that turns follow it.
  for (ObjectListIterator li(&solid_objects); !li.isDone(); li.next()) {
    grid.add(li.currentObject());
  }
}

int SceneGraph::insertSolid(Object* p_o) {
  if (solid_objects.insert(p_o) != 0) return -1;
  if (use_grid) grid.add(p_o);
  return 0;
}

int SceneGraph::removeSolid(Object* p_o) {
  if (use_grid) grid.remove(p_o);
  return solid_objects.remove(p_o);
}

void SceneGraph::shutDown() { type_map.clear(); }

void SceneGraph::reset() {
  objects.clear();
  solid_objects.clear();
  for (ObjectList& list : visible_objects) list.clear();
  inactive_objects.clear();
  type_map.clear();
  grid.clear();
  use_grid = true;
}

int SceneGraph::insertObject(Object* p_o) {
  const LogManager& log = LogManager::getInstance();
  if (!p_o->isActive()) return inactive_objects.insert(p_o);
  if (objects.insert(p_o) != 0) {
    log.writeLog("SceneGraph::insertObject(): Error! unable to insert active Object (id %d)",
                 p_o->getId());
    return -1;
  }
  if (type_map[p_o->getType()].insert(p_o) != 0) {
    log.writeLog("SceneGraph::insertObject(): Error! unable to insert Object (id %d) into type map",
                 p_o->getId());
    return -1;
  }
  if (p_o->isSolid() && insertSolid(p_o) != 0) {
    log.writeLog("SceneGraph::insertObject(): Error! unable to insert solid Object (id %d)",
                 p_o->getId());
    return -1;
  }
  if (p_o->isVisible()) {
    const int altitude = p_o->getAltitude();
    if (!altitudeInRange(altitude)) {
      log.writeLog("SceneGraph::insertObject(): Warning! Altitude %d not in range [%d,%d]",
                   altitude, 0, MAX_ALTITUDE);
      return -1;
    }
    if (visible_objects[altitude].insert(p_o) != 0) {
      log.writeLog("SceneGraph::insertObject(): Error! unable to insert visible object (id %d)",
                   p_o->getId());
      return -1;
    }
  }
  return 0;
}

int SceneGraph::removeObject(Object* p_o) {
  if (!p_o->isActive()) return inactive_objects.remove(p_o);
  bool failed = objects.remove(p_o) != 0;
  failed = type_map[p_o->getType()].remove(p_o) != 0 || failed;
  if (p_o->isVisible()) {
    const int altitude = p_o->getAltitude();
    failed = !altitudeInRange(altitude) || visible_objects[altitude].remove(p_o) != 0 || failed;
  }
  if (p_o->isSolid()) failed = removeSolid(p_o) != 0 || failed;
  if (failed) {
    LogManager::getInstance().writeLog(
        "SceneGraph::removeObject(): Error removing Object (id %d)! Pointer is %p.", p_o->getId(),
        static_cast<void*>(p_o));
    return -1;
  }
  return 0;
}

ObjectList SceneGraph::activeObjects() const { return objects; }

ObjectList SceneGraph::inactiveObjects() const { return inactive_objects; }

ObjectList SceneGraph::visibleObjects(int altitude) const {
  if (!altitudeInRange(altitude)) {
    LogManager::getInstance().writeLog(
        "SceneGraph::visibleObjects(): Warning! altitude %d not in [%d,%d].", altitude, 0,
        MAX_ALTITUDE);
    return ObjectList();
  }
  return visible_objects[altitude];
}

ObjectList SceneGraph::objectsOfType(const std::string& type) const {
  const auto entry = type_map.find(type);
  return entry == type_map.end() ? ObjectList() : entry->second;
}

ObjectList SceneGraph::solidObjectsAt(const Object* p_o, Vector where) const {
  if (use_grid) {
    ObjectList collisions;
    if (grid.query(p_o, getWorldBox(p_o, where), collisions)) return collisions;
  }
  return scanSolidObjectsAt(p_o, where);
}

ObjectList SceneGraph::scanSolidObjectsAt(const Object* p_o, Vector where) const {
  ObjectList collisions;
  const Box moved = getWorldBox(p_o, where);
  for (ObjectListIterator li(&solid_objects); !li.isDone(); li.next()) {
    Object* p_other = li.currentObject();
    if (p_other == p_o) continue;
    // The other's world box, built here rather than through the
    // out-of-line getWorldBox(): this loop is the world update's hot spot.
    Box other = p_other->getBox();
    other.setCorner(other.getCorner() + p_other->getPosition());
    if (boxIntersectsBox(moved, other)) collisions.insert(p_other);
  }
  return collisions;
}

int SceneGraph::updateActive(Object* p_o, bool active) {
  if (active == p_o->isActive()) return 0;
  const LogManager& log = LogManager::getInstance();
  const std::string type = p_o->getType();
  const char* p_type = type.c_str();
  bool failed = false;
  auto check = [&](bool step_failed, const char* message) {
    if (step_failed && failureCounts()) {
      log.writeLog(message, p_type);
      failed = true;
    }
  };

  if (!active) {
    check(objects.remove(p_o) != 0, "SceneGraph::updateActive(): remove object (%s) failed for objects!");
    if (type_map[type].remove(p_o) != 0) failed = true;
    if (p_o->isVisible()) {
      const int altitude = p_o->getAltitude();
      check(!altitudeInRange(altitude) || visible_objects[altitude].remove(p_o) != 0,
            "SceneGraph::updateActive(): remove visible object (%s) failed for visible_objects!");
    }
    if (p_o->isSolid()) {
      check(removeSolid(p_o) != 0,
            "SceneGraph::updateActive(): remove object (%s) failed for solid_objects!");
    }
    check(inactive_objects.insert(p_o) != 0,
          "SceneGraph::updateActive(): insert object (%s) failed for inactive_objects!");
  } else {
    check(objects.insert(p_o) != 0, "SceneGraph::updateActive(): insert Object (%s) failed for objects!");
    if (type_map[type].insert(p_o) != 0) {
      log.writeLog("SceneGraph::updateActive(): Error! insert Object (%s) failed for type map!",
                   p_type);
      return -1;
    }
    if (p_o->isVisible()) {
      const int altitude = p_o->getAltitude();
      check(!altitudeInRange(altitude) || visible_objects[altitude].insert(p_o) != 0,
            "SceneGraph::updateActive(): insert Object (%s) failed for visible_objects!");
    }
    if (p_o->isSolid()) {
      check(insertSolid(p_o) != 0,
            "SceneGraph::updateActive(): insert object (%s) failed for solid_objects!");
    }
    check(inactive_objects.remove(p_o) != 0,
          "SceneGraph::updateActive(): remove object (%s) failed for inactive_objects!");
  }
  return failed ? -1 : 0;
}

int SceneGraph::updateVisible(Object* p_o, bool visible) {
  if (!p_o->isActive() || visible == p_o->isVisible()) return 0;
  const int altitude = p_o->getAltitude();
  const bool in_range = altitudeInRange(altitude);
  const LogManager& log = LogManager::getInstance();
  if (p_o->isVisible()) {
    if ((!in_range || visible_objects[altitude].remove(p_o) != 0) && failureCounts()) {
      log.writeLog("SceneGraph::updateVisible(): unable to remove visible object (%s)",
                   p_o->getType().c_str());
      return -1;
    }
  } else if ((!in_range || visible_objects[altitude].insert(p_o) != 0) && failureCounts()) {
    log.writeLog("SceneGraph::updateVisible(): unable to add visible object (%s)",
                 p_o->getType().c_str());
    return -1;
  }
  return 0;
}

int SceneGraph::updateAltitude(Object* p_o, int new_altitude) {
  if (!p_o->isActive()) return 0;
  const LogManager& log = LogManager::getInstance();
  if (!altitudeInRange(new_altitude)) {
    log.writeLog("SceneGraph::updateAltitude(): New altitude %d not in [%d,%d]!  No update.",
                 new_altitude, 0, MAX_ALTITUDE);
    return -1;
  }
  const int old_altitude = p_o->getAltitude();
  if (!altitudeInRange(old_altitude)) {
    log.writeLog(
        "SceneGraph::updateAltitude(): Old altitude %d not in [%d,%d]! This is unxepected. No "
        "update.",
        old_altitude, 0, MAX_ALTITUDE);
    return -1;
  }
  if (p_o->isVisible()) {
    if (visible_objects[old_altitude].remove(p_o) != 0 && failureCounts()) {
      log.writeLog("SceneGraph::updateAltitude(): remove from old altitude (%d) failed!",
                   old_altitude);
      return -1;
    }
    if (visible_objects[new_altitude].insert(p_o) != 0) {
      log.writeLog("SceneGraph::updateAltitude()): insert visible object at altitude %d failed!",
                   new_altitude);
      return -1;
    }
  }
  return 0;
}

int SceneGraph::updateSolidness(Object* p_o, Solidness new_solidness) {
  if (!p_o->isActive()) return 0;
  const LogManager& log = LogManager::getInstance();
  const bool will_be_solid = new_solidness == HARD || new_solidness == SOFT;
  if (p_o->isSolid() && new_solidness == SPECTRAL) {
    if (removeSolid(p_o) != 0 && failureCounts()) {
      log.writeLog("SceneGraph::updateSolidness(): unable to remove solid object (%s)",
                   p_o->getType().c_str());
    }
  } else if (!p_o->isSolid() && will_be_solid) {
    if (insertSolid(p_o) != 0 && failureCounts()) {
      log.writeLog("SceneGraph::updateSolidness(): Error! unable to insert solid object");
      return -1;
    }
  }
  return 0;
}

int SceneGraph::updateType(Object* p_o, const std::string& new_type) {
  const LogManager& log = LogManager::getInstance();
  const std::string old_type = p_o->getType();
  if (type_map[old_type].remove(p_o) != 0) {
    log.writeLog("SceneGraph::updateType(): Error! Unable to remove Object (%d) type %s",
                 p_o->getId(), old_type.c_str());
    return -1;
  }
  if (type_map[new_type].insert(p_o) != 0) {
    log.writeLog("SceneGraph::updateType(): Error! Unable to insert Object (%d) type %s",
                 p_o->getId(), old_type.c_str());
    return -1;
  }
  return 0;
}

int SceneGraph::updatePosition(Object* p_o) {
  if (use_grid) grid.touch(p_o);
  return 0;
}

}  // namespace mo
