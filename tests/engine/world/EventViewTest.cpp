#include "engine/world/EventView.h"

#include <gtest/gtest.h>

namespace mo {
namespace {

TEST(EventViewTest, IsAViewEventThatReplacesUnlessToldToAdd) {
  EXPECT_EQ(EventView().getType(), "mo-view");
  EXPECT_FALSE(EventView().getDelta());
  // Tag, value and delta are taken as ViewObjectTest shows.
  EXPECT_EQ(EventView("Magazine", -1, true).getType(), "mo-view");
}

}  // namespace
}  // namespace mo
