#include "engine/world/EventView.h"

#include <gtest/gtest.h>

namespace mo {
namespace {

TEST(EventViewTest, IsAViewEventThatReplacesUnlessToldToAdd) {
  EXPECT_EQ(EventView().getType(), "mo-view");
  EXPECT_FALSE(EventView().getDelta());
  const EventView event("Magazine", -1, true);
  EXPECT_EQ(event.getType(), "mo-view");
  EXPECT_EQ(event.getTag(), "Magazine");
  EXPECT_EQ(event.getValue(), -1);
  EXPECT_TRUE(event.getDelta());
}

}  // namespace
}  // namespace mo
