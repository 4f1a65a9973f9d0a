#include "engine/world/EventView.h"

#include <gtest/gtest.h>

namespace mo {
namespace {

TEST(EventViewTest, DefaultIsAnEmptyReplacingViewEvent) {
  const EventView event;
  EXPECT_EQ(event.getType(), "mo-view");
  EXPECT_EQ(event.getTag(), "");
  EXPECT_EQ(event.getValue(), 0);
  EXPECT_FALSE(event.getDelta());
}

TEST(EventViewTest, CarriesTagValueAndDelta) {
  EventView event("Magazine", -1, true);
  EXPECT_EQ(event.getType(), "mo-view");
  EXPECT_EQ(event.getTag(), "Magazine");
  EXPECT_EQ(event.getValue(), -1);
  EXPECT_TRUE(event.getDelta());

  event.setTag("Score");
  event.setValue(250);
  event.setDelta(false);
  EXPECT_EQ(event.getTag(), "Score");
  EXPECT_EQ(event.getValue(), 250);
  EXPECT_FALSE(event.getDelta());
}

}  // namespace
}  // namespace mo
