#include "engine/world/Object.h"

#include "engine/core/Event.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"

#include <utility>

namespace mo {

namespace {

int& idCounter() {
  static int counter = 1;
  return counter;
}

}  // namespace

Object::Object() : id(idCounter()++), type("(Undefined)"), is_active(true), event_count(0) {}

Object::~Object() {
  for (int i = event_count - 1; i >= 0; i--) {
    unregisterInterest(event_name[i]);
  }
  Manager::forgetObject(this);
}

int Object::eventHandler(const Event*) { return 0; }

void Object::setId(int new_id) {
  if (new_id == id) return;
  if (new_id >= idCounter()) idCounter() = new_id + 1;
  id = new_id;
}

void Object::setType(std::string new_type) { type = std::move(new_type); }

int Object::setActive(bool active) {
  is_active = active;
  return 0;
}

Manager* Object::managerFor(const std::string& event_type) {
  if (event_type == STEP_EVENT) return &GameManager::getInstance();
  return nullptr;
}

int Object::registerInterest(std::string event_type) {
  LogManager& log = LogManager::getInstance();
  if (event_count == MAX_INTERESTS) {
    log.writeLog("Object::registerInterest(): maximum (%d) reached, cannot register for event '%s'",
                 MAX_INTERESTS, event_type.c_str());
    return -1;
  }
  Manager* p_manager = managerFor(event_type);
  if (!p_manager) {
    log.writeLog("Object::registerInterest(): no manager delivers event '%s'",
                 event_type.c_str());
    return -1;
  }
  if (p_manager->registerInterest(this, event_type) != 0) return -1;
  event_name[event_count++] = event_type;
  return 0;
}

int Object::unregisterInterest(std::string event_type) {
  int index = -1;
  for (int i = 0; i < event_count; i++) {
    if (event_name[i] == event_type) {
      index = i;
      break;
    }
  }
  if (index < 0) {
    LogManager::getInstance().writeLog(
        "Object::unregisterInterest(): event '%s' not previously registered", event_type.c_str());
    return -1;
  }
  Manager* p_manager = managerFor(event_type);
  if (!p_manager || p_manager->unregisterInterest(this, event_type) != 0) return -1;
  for (int i = index; i < event_count - 1; i++) {
    event_name[i] = event_name[i + 1];
  }
  event_count--;
  event_name[event_count].clear();
  return 0;
}

int Object::getIdCounter() { return idCounter(); }

void Object::resetIdCounter() { idCounter() = 1; }

}  // namespace mo
