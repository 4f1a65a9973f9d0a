#include "engine/world/WorldManager.h"

#include <cmath>

#include "engine/core/EventCollision.h"
#include "engine/core/EventOut.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/ObjectSnapshot.h"
#include "engine/world/ViewObject.h"

namespace mo {

namespace {

Object* firstHard(const ObjectList& list) {
  for (ObjectListIterator li(&list); !li.isDone(); li.next()) {
    if (li.currentObject()->getSolidness() == HARD) return li.currentObject();
  }
  return nullptr;
}

}  // namespace

WorldManager::WorldManager() : p_view_following(nullptr) { setType("WorldManager"); }

WorldManager::~WorldManager() = default;

WorldManager& WorldManager::getInstance() {
  static WorldManager world_manager;
  return world_manager;
}

bool WorldManager::isValid(std::string event_type) const {
  if (event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT || event_type == STEP_EVENT) {
    LogManager::getInstance().writeLog("WorldManager::isValid(): WorldManager does not handle %s",
                                       event_type.c_str());
    return false;
  }
  if (event_type == OUT_EVENT || event_type == COLLISION_EVENT) {
    LogManager::getInstance().writeLog("WorldManager::isValid(): Event %s handled automatically.",
                                       event_type.c_str());
    return false;
  }
  return true;
}

int WorldManager::startUp() {
  if (isStarted()) {
    LogManager::getInstance().writeLog("WorldManager::startup(): already started.");
    return 0;
  }
  deletions.clear();
  being_deleted.clear();
  boundary = Box();
  view = Box();
  view_slack = Vector();
  p_view_following = nullptr;
  if (scene_graph.startUp() != 0) {
    LogManager::getInstance().writeLog("WorldManager::startUp(): Error! Unable to startup Scenegraph");
    return -1;
  }
  Manager::startUp();
  LogManager::getInstance().writeLog(5, "WorldManager::startUp(): successfully started.");
  return 0;
}

void WorldManager::shutDown() {
  Manager::shutDown();
  // A destructor may delete another object directly; the snapshot skips
  // any object that is gone by its turn.
  ObjectSnapshot everything(getAllObjects(true));
  for (int i = 0; i < everything.getCount(); i++) {
    delete everything.at(i);
  }
  scene_graph.shutDown();
  LogManager::getInstance().writeLog(5, "WorldManager::shutDown(): Successfully stopped.");
}

void WorldManager::reset() {
  if (isStarted()) shutDown();
  scene_graph.reset();
  deletions.clear();
  being_deleted.clear();
  p_view_following = nullptr;
  boundary = Box();
  view = Box();
  view_slack = Vector();
  resetManager();
}

int WorldManager::insertObject(Object* p_o) {
  if (isStarted()) return scene_graph.insertObject(p_o);
  const LogManager& log = LogManager::getInstance();
  log.writeLog(2, "WorldManager::insertObject(): Warning! Not adding Object %d", p_o->getId());
  log.writeLog(2, "                              because WorldManager not started.");
  return -1;
}

int WorldManager::removeObject(Object* p_o) {
  // A deleted object must leave nothing behind that could be used later.
  while (deletions.remove(p_o) == 0) {
  }
  if (p_view_following == p_o) p_view_following = nullptr;
  // An object created while the world was stopped was never filed.
  if (!p_o->isInWorld()) return -1;
  return scene_graph.removeObject(p_o);
}

ObjectList WorldManager::getAllObjects(bool inactive) const {
  if (inactive) return scene_graph.activeObjects() + scene_graph.inactiveObjects();
  return scene_graph.activeObjects();
}

ObjectList WorldManager::objectsOfType(const std::string& type) const {
  return scene_graph.objectsOfType(type);
}

SceneGraph& WorldManager::getSceneGraph() { return scene_graph; }

ObjectList WorldManager::getCollisions(const Object* p_o, Vector where) const {
  return scene_graph.solidObjectsAt(p_o, where);
}

int WorldManager::markForDelete(Object* p_o) {
  // An object is queued once, and never again once its destructor runs.
  if (deletions.contains(p_o) || being_deleted.contains(p_o)) return 0;
  if (deletions.insert(p_o) != 0) {
    LogManager::getInstance().writeLog(
        "WorldManager::markForDelete(): Error! unable to add Object %p to deletions list",
        static_cast<void*>(p_o));
    return -1;
  }
  return 0;
}

void WorldManager::update() {
  ObjectSnapshot active(scene_graph.activeObjects());
  for (int i = 0; i < active.getCount(); i++) {
    Object* p_o = active.at(i);
    if (!p_o) continue;
    const Vector new_position = p_o->predictPosition();
    if (new_position != p_o->getPosition()) moveObject(p_o, new_position);
    if (!active.at(i)) continue;
    p_o->stepPath();
    p_o->applyAcceleration();
  }
  deleteMarked();
}

void WorldManager::draw() {
  for (int altitude = 0; altitude <= MAX_ALTITUDE; altitude++) {
    // A draw may create or delete objects; the snapshot skips the deleted.
    const ObjectSnapshot visible(scene_graph.visibleObjects(altitude));
    for (int i = 0; i < visible.getCount(); i++) {
      Object* p_o = visible.at(i);
      if (!p_o) continue;
      if (boxIntersectsBox(getWorldBox(p_o), view) || dynamic_cast<ViewObject*>(p_o)) {
        p_o->draw();
      }
    }
  }
}

void WorldManager::deleteMarked() {
  // Destructors may mark more objects; they join the end of the queue
  // and are deleted in this same pass, in the order they were marked.
  while (!deletions.isEmpty()) {
    Object* p_o = ObjectListIterator(&deletions).currentObject();
    deletions.remove(p_o);
    being_deleted.insert(p_o);
    delete p_o;
    being_deleted.remove(p_o);
  }
}

int WorldManager::moveObject(Object* p_o, Vector where) {
  // Handlers may delete the mover or an obstacle directly; the snapshots
  // notice, and nothing deleted is touched again. They are taken only
  // where handlers run: most moves send no event at all.
  if (p_o->isSolid()) {
    ObjectList collisions = getCollisions(p_o, where);

    if (!collisions.isEmpty() && p_o->getSolidness() == HARD && p_o->getAvoidCollisions()) {
      if (Object* p_hard = firstHard(collisions)) {
        const Vector normal = getNormal(p_o, p_hard);
        const Vector direction = p_o->getDirection();
        const float nx = std::fabs(normal.getX());
        const float ny = std::fabs(normal.getY());
        // Slide along the obstacle's face: drop the motion across it; at
        // a corner turn back horizontally instead.
        Vector slide(direction.getX() * ny, direction.getY() * nx);
        if (nx == 1.0f && ny == 1.0f) slide = Vector(-direction.getX(), direction.getY());
        slide.normalize();
        slide.scale(p_o->getSpeed());
        const Vector alternative = p_o->getPosition() + slide;
        const ObjectList alternative_collisions = getCollisions(p_o, alternative);
        if (firstHard(alternative_collisions)) {
          LogManager::getInstance().writeLog(
              5, "WorldManager::moveObject(): Double collision. Object (avoid obstacles) cannot "
                 "move.");
          return -1;
        }
        collisions = alternative_collisions;
        where = alternative;
      }
    }

    if (!collisions.isEmpty()) {
      bool do_move = true;
      const ObjectSnapshot mover(p_o);
      ObjectSnapshot obstacles(collisions);
      for (int i = 0; i < obstacles.getCount(); i++) {
        if (!obstacles.at(i)) continue;
        EventCollision collision(p_o, obstacles.at(i), where);
        p_o->eventHandler(&collision);
        if (!mover.at(0)) return -1;
        if (obstacles.at(i)) obstacles.at(i)->eventHandler(&collision);
        if (!mover.at(0)) return -1;
        const Object* p_q = obstacles.at(i);
        if (!p_q) continue;
        if (p_o->getSolidness() == HARD && p_q->getSolidness() == HARD) do_move = false;
        if (p_o->getNoSoft() && p_q->getSolidness() == SOFT) do_move = false;
      }
      if (!do_move) return -1;
    }
  }

  const Box before = getWorldBox(p_o);
  p_o->setPosition(where);
  const Box after = getWorldBox(p_o);
  if (boxIntersectsBox(before, boundary) && !boxIntersectsBox(after, boundary)) {
    const ObjectSnapshot mover(p_o);
    EventOut out;
    p_o->eventHandler(&out);
    if (!mover.at(0)) return 0;
  }
  if (p_o == p_view_following) followWithView(p_o->getPosition());
  return 0;
}

void WorldManager::followWithView(Vector position) {
  const float width = view.getHorizontal();
  const float height = view.getVertical();
  Vector centre = view.getCorner() + Vector(width * 0.5f, height * 0.5f);
  const float left = centre.getX() - view_slack.getX() * width * 0.5f;
  const float right = centre.getX() + view_slack.getX() * width * 0.5f;
  const float top = centre.getY() - view_slack.getY() * height * 0.5f;
  const float bottom = centre.getY() + view_slack.getY() * height * 0.5f;
  if (position.getX() < left) {
    centre.setX(centre.getX() - (left - position.getX()));
  } else if (position.getX() > right) {
    centre.setX(centre.getX() + (position.getX() - right));
  }
  if (position.getY() < top) {
    centre.setY(centre.getY() - (top - position.getY()));
  } else if (position.getY() > bottom) {
    centre.setY(centre.getY() + (position.getY() - bottom));
  }
  setViewPosition(centre);
}

void WorldManager::setViewPosition(Vector view_pos) {
  const float width = view.getHorizontal();
  const float height = view.getVertical();
  float x = view_pos.getX() - width * 0.5f;
  float y = view_pos.getY() - height * 0.5f;
  if (x + width > boundary.getHorizontal()) x = boundary.getHorizontal() - width;
  if (y + height > boundary.getVertical()) y = boundary.getVertical() - height;
  if (x < 0.0f) x = 0.0f;
  if (y < 0.0f) y = 0.0f;
  view.setCorner(Vector(x, y));
}

int WorldManager::setViewFollowing(Object* p_o) {
  if (!p_o) {
    p_view_following = nullptr;
    return 0;
  }
  if (!scene_graph.activeObjects().contains(p_o) && !scene_graph.inactiveObjects().contains(p_o)) {
    return -1;
  }
  p_view_following = p_o;
  setViewPosition(p_o->getPosition());
  return 0;
}

void WorldManager::setViewSlack(Vector new_slack) {
  if (!valueInRange(new_slack.getX(), 0.0f, 1.0f) || !valueInRange(new_slack.getY(), 0.0f, 1.0f)) {
    LogManager::getInstance().writeLog(
        "WorldManager::setViewSlack(): Warning! view slack units out of range [0-1]");
  }
  view_slack = new_slack;
}

}  // namespace mo
