#include "engine/world/EventView.h"

#include <utility>

namespace mo {

EventView::EventView() : EventView("", 0, false) {}

EventView::EventView(std::string init_tag, int init_value, bool init_delta)
    : tag(std::move(init_tag)), value(init_value), delta(init_delta) {
  setType(VIEW_EVENT);
}

void EventView::setTag(std::string new_tag) { tag = std::move(new_tag); }

}  // namespace mo
