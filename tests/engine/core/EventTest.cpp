#include <gtest/gtest.h>

#include "engine/core/Event.h"
#include "engine/core/EventCollision.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/EventOut.h"
#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/world/Object.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;

TEST(EventTest, TypeNamesAreTheEngineTexts) {
  EXPECT_EQ(UNDEFINED_EVENT, "mo-undefined");
  EXPECT_EQ(STEP_EVENT, "mo-step");
  EXPECT_EQ(COLLISION_EVENT, "mo-collision");
  EXPECT_EQ(OUT_EVENT, "mo-out");
  EXPECT_EQ(KEYBOARD_EVENT, "mo-keyboard");
  EXPECT_EQ(MOUSE_EVENT, "mo-mouse");
  EXPECT_EQ(PATH_EVENT, "mo-path");
  EXPECT_EQ(VIEW_EVENT, "mo-view");
  EXPECT_EQ(NETWORK_EVENT, "mo-network");
  EXPECT_EQ(CUSTOM_NETWORK_EVENT, "mo-custom-network");
  EXPECT_EQ(KEYBOARD_NETWORK_EVENT, "mo-keyboard-network");
  EXPECT_EQ(MOUSE_NETWORK_EVENT, "mo-mouse-network");
}

TEST(EventTest, EachClassCarriesItsTypeName) {
  const Event base;
  EXPECT_EQ(base.getType(), "mo-undefined");
  EXPECT_EQ(EventStep(3).getType(), "mo-step");
  EXPECT_EQ(EventCollision().getType(), "mo-collision");
  EXPECT_EQ(EventOut().getType(), "mo-out");
  EXPECT_EQ(EventKeyboard().getType(), "mo-keyboard");
  EXPECT_EQ(EventMouse().getType(), "mo-mouse");

  Event custom;
  custom.setType("game-score");
  EXPECT_EQ(custom.getType(), "game-score");
}

TEST(EventTest, NewEventsStartUndefined) {
  const EventKeyboard keyboard;
  EXPECT_EQ(keyboard.getKey(), UNDEFINED_KEY);
  EXPECT_EQ(keyboard.getKeyboardAction(), UNDEFINED_KEYBOARD_ACTION);
  EXPECT_EQ(static_cast<int>(keyboard.getKey()), -1);

  const EventMouse mouse;
  EXPECT_EQ(mouse.getMouseAction(), UNDEFINED_MOUSE_ACTION);
  EXPECT_EQ(mouse.getMouseButton(), UNDEFINED_MOUSE_BUTTON);
  EXPECT_EQ(mouse.getMousePosition(), Vector(0, 0));

  EXPECT_EQ(EventStep().getStepCount(), 0);
  EXPECT_EQ(EventStep(17).getStepCount(), 17);
}

TEST(EventTest, FieldsKeepWhatIsSet) {
  EventKeyboard keyboard;
  keyboard.setKey(BACKSPACE);
  keyboard.setKeyboardAction(KEY_DOWN);
  // Through the base pointer, as a receiver sees it.
  const Event* p_e = &keyboard;
  const auto* p_keyboard = static_cast<const EventKeyboard*>(p_e);
  EXPECT_EQ(p_keyboard->getKey(), BACKSPACE);
  EXPECT_EQ(static_cast<int>(p_keyboard->getKey()), 72);
  EXPECT_EQ(p_keyboard->getKeyboardAction(), KEY_DOWN);

  Object first;
  Object second;
  const EventCollision collision(&first, &second, Vector(2.5f, -1));
  EXPECT_EQ(collision.getObject1(), &first);
  EXPECT_EQ(collision.getObject2(), &second);
  EXPECT_EQ(collision.getPosition(), Vector(2.5f, -1));

  EventMouse mouse;
  mouse.setMouseAction(MOVED);
  mouse.setMouseButton(MIDDLE);
  mouse.setMousePosition(Vector(4, 7));
  EXPECT_EQ(mouse.getMouseAction(), MOVED);
  EXPECT_EQ(mouse.getMouseButton(), MIDDLE);
  EXPECT_EQ(mouse.getMousePosition(), Vector(4, 7));
}

/// Counts the events it receives.
class Counter : public Object {
 public:
  int eventHandler(const Event*) override { return ++received; }
  int received = 0;
};

class EventDeliveryTest : public EngineTest {};

TEST_F(EventDeliveryTest, TypeNamesCompareExactlyAndCaseSensitively) {
  Counter counter;
  ASSERT_EQ(counter.registerInterest(STEP_EVENT), 0);
  GameManager& game_manager = GameManager::getInstance();

  Event capital;
  capital.setType("mo-Step");
  EXPECT_EQ(game_manager.onEvent(&capital), 0);
  Event padded;
  padded.setType("mo-step ");
  EXPECT_EQ(game_manager.onEvent(&padded), 0);
  EXPECT_EQ(counter.received, 0);

  const EventStep step(0);
  EXPECT_EQ(game_manager.onEvent(&step), 1);
  EXPECT_EQ(counter.received, 1);
}

}  // namespace
}  // namespace mo
