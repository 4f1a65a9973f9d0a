#ifndef MO_OBJECT_H
#define MO_OBJECT_H

#include <string>

namespace mo {

class Event;
class Manager;

/// The most event types one object can be registered for.
const int MAX_INTERESTS = 100;

/// The base class of everything in the game world. Game code creates
/// objects with new; an object receives the events it registered for
/// through its eventHandler().
class Object {
 public:
  /// A new active object with the next id and type "(Undefined)".
  Object();
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  /// Unregisters every interest, last registered first, and leaves no
  /// pointer to the object in any manager.
  virtual ~Object();

  /// Handles an event; 1 when handled, 0 when not. The base handles none.
  virtual int eventHandler(const Event* p_e);

  int getId() const { return id; }
  /// Sets the id; the id counter is kept ahead of every id in use.
  void setId(int new_id);

  std::string getType() const { return type; }
  void setType(std::string new_type);

  /// Inactive objects receive no events.
  bool isActive() const { return is_active; }
  /// Always 0 for now.
  int setActive(bool active = true);

  /// Registers for event_type with the manager that delivers it: 0, or
  /// -1 when MAX_INTERESTS types are registered (logged) or the manager
  /// refuses (the manager logs why).
  int registerInterest(std::string event_type);

  /// Undoes one registration: 0, or -1 when event_type was not
  /// registered (logged) or the manager refuses.
  int unregisterInterest(std::string event_type);

  /// The number of event types registered.
  int getEventCount() const { return event_count; }

  /// The id the next new object will get.
  static int getIdCounter();
  /// Restarts the id counter at 1, as at program start; for tests.
  static void resetIdCounter();

 private:
  /// The manager that delivers event_type, or nullptr when none does.
  static Manager* managerFor(const std::string& event_type);

  int id;
  std::string type;
  bool is_active;
  int event_count;
  std::string event_name[MAX_INTERESTS];
};

}  // namespace mo

#endif
