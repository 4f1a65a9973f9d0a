#ifndef MO_INPUT_SOURCE_H
#define MO_INPUT_SOURCE_H

#include <vector>

#include "engine/core/ReplayEvent.h"

namespace mo {

/// Where the InputManager takes its input from instead of the window: a
/// replay file, a scripted player, a test. Set with
/// InputManager::setInputSource().
class InputSource {
 public:
  virtual ~InputSource();
  /// Appends the input of the frame about to run to events, in the order
  /// it is to be sent. A close request ends the frame's input and sets
  /// game over, as the window's does.
  virtual void frameInput(std::vector<ReplayEvent>& events) = 0;
};

}  // namespace mo

#endif
