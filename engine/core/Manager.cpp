#include "engine/core/Manager.h"

#include "engine/core/Event.h"
#include "engine/core/LogManager.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectSnapshot.h"

#include <utility>

namespace mo {

Manager::Manager() : type("Manager"), event_count(0), is_started(false) {}

Manager::~Manager() = default;

bool Manager::isValid(std::string) const { return false; }

int Manager::startUp() {
  if (is_started) {
    LogManager::getInstance().writeLog(1, "Manager::startUp(): Warning! %s already started.",
                                       type.c_str());
    return 0;
  }
  is_started = true;
  return 0;
}

void Manager::shutDown() {
  if (!is_started) {
    LogManager::getInstance().writeLog(1, "Manager::shutDown(): Warning! %s not started.",
                                       type.c_str());
    return;
  }
  is_started = false;
}

std::string Manager::getType() const { return type; }

void Manager::setType(std::string new_type) { type = std::move(new_type); }

bool Manager::isStarted() const { return is_started; }

int Manager::onEvent(const Event* p_event) const {
  const std::string event_type = p_event->getType();
  if (event_type == UNDEFINED_EVENT) {
    LogManager::getInstance().writeLog(
        1, "Manager(%s)::onEvent(): Warning! Event type %s is undefined.", type.c_str(),
        event_type.c_str());
    return 0;
  }
  if (!isValid(event_type)) {
    LogManager::getInstance().writeLog(1, "Manager(%s)::onEvent(): Error! Event type %s not valid.",
                                       type.c_str(), event_type.c_str());
    return 0;
  }
  // A type has at most one slot. Only the receivers found now get the
  // event: handlers may empty the type and register it again, which puts
  // it in a later slot that this dispatch must not reach a second time.
  int slot = -1;
  for (int i = 0; i < event_count; i++) {
    if (event_name[i] == event_type) {
      slot = i;
      break;
    }
  }
  if (slot < 0) return 0;
  // Handlers may register, unregister or delete objects: walk a copy in
  // which deleted objects are blanked.
  const ObjectSnapshot receivers(obj_list[slot]);
  int count = 0;
  for (int i = 0; i < receivers.getCount(); i++) {
    Object* p_o = receivers.at(i);
    if (p_o && p_o->isActive()) {
      p_o->eventHandler(p_event);
      count++;
    }
  }
  return count;
}

int Manager::registerInterest(Object* p_o, std::string event_type) {
  if (!isValid(event_type)) {
    LogManager::getInstance().writeLog(
        "Manager(%s)::registerInterest(): Event '%s' not valid for this Manager", type.c_str(),
        event_type.c_str());
    return -1;
  }
  for (int i = 0; i < event_count; i++) {
    if (event_name[i] == event_type) return obj_list[i].insert(p_o);
  }
  if (event_count == MAX_EVENTS) return -1;
  event_name[event_count] = event_type;
  obj_list[event_count].clear();
  if (obj_list[event_count].insert(p_o) != 0) return -1;
  event_count++;
  return 0;
}

int Manager::unregisterInterest(Object* p_o, std::string event_type) {
  for (int i = 0; i < event_count; i++) {
    if (event_name[i] != event_type) continue;
    if (obj_list[i].remove(p_o) != 0) return -1;
    if (obj_list[i].isEmpty()) {
      for (int j = i; j < event_count - 1; j++) {
        event_name[j] = event_name[j + 1];
        obj_list[j] = obj_list[j + 1];
      }
      event_count--;
      event_name[event_count].clear();
      obj_list[event_count].clear();
    }
    return 0;
  }
  return -1;
}

void Manager::resetManager() {
  for (int i = 0; i < event_count; i++) {
    event_name[i].clear();
    obj_list[i].clear();
  }
  event_count = 0;
  is_started = false;
}

}  // namespace mo
