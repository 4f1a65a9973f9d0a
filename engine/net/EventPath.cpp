#include "engine/net/EventPath.h"

#include <utility>

namespace mo {

EventPath::EventPath() : EventPath(PATH_NONE, Path()) {}

EventPath::EventPath(int init_result, Path init_path)
    : result(init_result), path(std::move(init_path)) {
  setType(PATH_EVENT);
}

void EventPath::setPath(Path new_path) { path = std::move(new_path); }

}  // namespace mo
