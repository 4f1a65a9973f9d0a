#include "engine/core/Manager.h"

#include "engine/core/Event.h"
#include "engine/core/LogManager.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectListIterator.h"

#include <utility>
#include <vector>

namespace mo {

namespace {

// The receiver lists of the dispatches under way (nested when a handler
// sends an event itself). An object destroyed by a handler is blanked in
// them so that it is never called after its deletion.
std::vector<std::vector<Object*>*>& dispatchesInFlight() {
  static std::vector<std::vector<Object*>*> in_flight;
  return in_flight;
}

}  // namespace

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
  int count = 0;
  for (int i = 0; i < event_count; i++) {
    if (event_name[i] != event_type) continue;
    // Handlers may register, unregister or delete objects: walk a copy.
    std::vector<Object*> receivers;
    receivers.reserve(static_cast<std::size_t>(obj_list[i].getCount()));
    for (ObjectListIterator li(&obj_list[i]); !li.isDone(); li.next()) {
      receivers.push_back(li.currentObject());
    }
    dispatchesInFlight().push_back(&receivers);
    for (Object* p_o : receivers) {
      if (p_o && p_o->isActive()) {
        p_o->eventHandler(p_event);
        count++;
      }
    }
    dispatchesInFlight().pop_back();
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

void Manager::forgetObject(const Object* p_o) {
  for (std::vector<Object*>* p_receivers : dispatchesInFlight()) {
    for (Object*& p_receiver : *p_receivers) {
      if (p_receiver == p_o) p_receiver = nullptr;
    }
  }
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
