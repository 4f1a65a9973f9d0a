#ifndef MO_EVENT_H
#define MO_EVENT_H

#include <string>

namespace mo {

/// Event type names, compared exactly and case-sensitively.
inline const std::string UNDEFINED_EVENT = "mo-undefined";
inline const std::string STEP_EVENT = "mo-step";
inline const std::string COLLISION_EVENT = "mo-collision";
inline const std::string OUT_EVENT = "mo-out";
inline const std::string KEYBOARD_EVENT = "mo-keyboard";
inline const std::string MOUSE_EVENT = "mo-mouse";
inline const std::string PATH_EVENT = "mo-path";
inline const std::string VIEW_EVENT = "mo-view";
inline const std::string NETWORK_EVENT = "mo-network";
inline const std::string CUSTOM_NETWORK_EVENT = "mo-custom-network";
inline const std::string KEYBOARD_NETWORK_EVENT = "mo-keyboard-network";
inline const std::string MOUSE_NETWORK_EVENT = "mo-mouse-network";

/// The base of every event: a value carrying its type name. A sender
/// builds one, hands it to a manager's onEvent() and destroys it when
/// that returns; receivers never keep a pointer to it.
class Event {
 public:
  /// An event of type "mo-undefined", which managers refuse to deliver.
  Event();
  virtual ~Event();

  /// Sets the type name; derived events set their own in their
  /// constructors, a game's own events any name it chooses.
  void setType(std::string new_type);
  /// A copy of the type name.
  std::string getType() const;

 private:
  std::string event_type;
};

}  // namespace mo

#endif
