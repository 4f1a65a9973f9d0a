#ifndef MO_MANAGER_H
#define MO_MANAGER_H

#include <string>

#include "engine/world/ObjectList.h"

namespace mo {

class Event;
class Object;

/// The most event types one manager keeps interest lists for.
const int MAX_EVENTS = 100;

/// The base of every engine manager: a type name, a started flag, and,
/// for each event type the manager delivers, the objects that asked for
/// it. Managers are singletons reached through their getInstance().
class Manager {
 public:
  Manager();
  Manager(const Manager&) = delete;
  Manager& operator=(const Manager&) = delete;

  /// Whether this manager delivers events of event_type. The base
  /// delivers none.
  virtual bool isValid(std::string event_type) const;

  virtual ~Manager();

  /// Marks the manager started: 0. A second call logs a warning at level
  /// 1 and still returns 0. Derived managers return -1 on failure.
  virtual int startUp();

  /// Marks the manager stopped; logs a warning at level 1 when it was
  /// not started.
  virtual void shutDown();

  /// The manager's name, as used in messages.
  std::string getType() const;

  /// True between startUp() and shutDown().
  bool isStarted() const;

  /// Sends p_event to every active object registered for its type, in
  /// registration order, and returns how many received it. Objects that
  /// register, unregister or are deleted meanwhile do not change who
  /// receives this event. Undefined or invalid types reach nobody (0).
  int onEvent(const Event* p_event) const;

  /// Adds p_o to the objects interested in event_type: 0, or -1 when the
  /// type is not valid here, the MAX_EVENTS types are in use, or the list
  /// cannot grow. Registering twice delivers twice.
  int registerInterest(Object* p_o, std::string event_type);

  /// Removes one registration of p_o for event_type: 0, or -1 when there
  /// is none. A type left without objects frees its slot.
  int unregisterInterest(Object* p_o, std::string event_type);


 protected:
  void setType(std::string new_type);

  /// Forgets every interest and the started flag, as just constructed;
  /// for the reset of derived managers.
  void resetManager();

 private:
  std::string type;
  int event_count;
  std::string event_name[MAX_EVENTS];
  ObjectList obj_list[MAX_EVENTS];
  bool is_started;
};

}  // namespace mo

#endif
