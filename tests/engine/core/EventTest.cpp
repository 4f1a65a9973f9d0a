#include "engine/core/Event.h"

#include <gtest/gtest.h>

#include "engine/core/EventCollision.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/EventOut.h"
#include "engine/core/EventStep.h"
#include "engine/world/Object.h"

namespace mo {
namespace {

TEST(EventTest, EachClassCarriesItsTypeNameAndItsConstructorArguments) {
  EXPECT_EQ(Event().getType(), "mo-undefined");
  EXPECT_EQ(EventOut().getType(), "mo-out");
  EXPECT_EQ(EventKeyboard().getType(), "mo-keyboard");
  EXPECT_EQ(EventMouse().getType(), "mo-mouse");
  EXPECT_EQ(EventStep(17).getType(), "mo-step");
  EXPECT_EQ(EventStep(17).getStepCount(), 17);
  Object first;
  Object second;
  const EventCollision collision(&first, &second, Vector(2.5f, -1));
  EXPECT_EQ(collision.getType(), "mo-collision");
  EXPECT_EQ(collision.getObject1(), &first);
  EXPECT_EQ(collision.getObject2(), &second);
  EXPECT_EQ(collision.getPosition(), Vector(2.5f, -1));
  EXPECT_EQ(collision.getOtherObject(&first), &second);
  EXPECT_EQ(collision.getOtherObject(&second), &first);
  EXPECT_EQ(PATH_EVENT, "mo-path");
  EXPECT_EQ(VIEW_EVENT, "mo-view");
  EXPECT_EQ(NETWORK_EVENT, "mo-network");
  EXPECT_EQ(CUSTOM_NETWORK_EVENT, "mo-custom-network");
  EXPECT_EQ(KEYBOARD_NETWORK_EVENT, "mo-keyboard-network");
  EXPECT_EQ(MOUSE_NETWORK_EVENT, "mo-mouse-network");
}

}  // namespace
}  // namespace mo
