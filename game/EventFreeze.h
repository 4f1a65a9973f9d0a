#ifndef GH_EVENT_FREEZE_H
#define GH_EVENT_FREEZE_H

#include <string>

#include "engine/core/Event.h"
#include "engine/core/Vector.h"

namespace gh {

/// The game's own event type, sent when an ice staff's freeze lands.
inline const std::string FREEZE_EVENT = "freeze";

/// "freeze": a freeze centred on a world position (cells). The ice
/// projectile builds one and hands it to WorldManager::onEvent(), which
/// delivers it to every object registered for "freeze" (the enemies).
class EventFreeze : public mo::Event {
 public:
  explicit EventFreeze(mo::Vector init_position);
  ~EventFreeze() override;

  /// The centre of the freeze (world cells).
  mo::Vector getPosition() const { return position; }

 private:
  mo::Vector position;
};

}  // namespace gh

#endif
