#ifndef MO_EVENT_VIEW_H
#define MO_EVENT_VIEW_H

#include <string>

#include "engine/core/Event.h"

namespace mo {

/// "mo-view": a new value for every ViewObject whose label equals tag.
/// With delta set the value is added to the shown one (a negative value
/// subtracts); otherwise it replaces it. A game builds one and hands it
/// to WorldManager::onEvent(), which delivers it to every ViewObject.
class EventView : public Event {
 public:
  /// Tag "", value 0, no delta.
  EventView();
  EventView(std::string init_tag, int init_value, bool init_delta);

  /// The label of the items the event is meant for (compared exactly).
  std::string getTag() const { return tag; }
  void setTag(std::string new_tag);
  int getValue() const { return value; }
  void setValue(int new_value) { value = new_value; }
  /// True: add the value; false: replace with it.
  bool getDelta() const { return delta; }
  void setDelta(bool new_delta) { delta = new_delta; }

 private:
  std::string tag;
  int value;
  bool delta;
};

}  // namespace mo

#endif
