#include <gtest/gtest.h>

#include <string>

#include "engine/core/Event.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "support/EngineTest.h"
#include "worldHelpers.h"

namespace mo {
namespace {

using test::Lines;

// What a new object writes for "ALL" (its shape's size follows the
// display's default cells and font scale).
const std::string FRESH_ALL =
    "id:1,is_active:true,is_visible:true,event_count:0,box-corner-x:-0.5,box-corner-y:-0.5,"
    "box-horizontal:0.99,box-vertical:0.99,pos-x:1,pos-y:1,type:(Undefined),sprite_name:,"
    "sprite_index:0,sprite_slowdown_count:0,altitude:2,solidness:0,no_soft:false,"
    "x_direction:0,y_direction:0,speed:0,x_acceleration:0,y_acceleration:0,shape:-1,size:24,"
    "color:7,opacity:255,follow_path:false,path:,path_index:0,avoid_collisions:false,";

/// Objects in a started world, with the log open at level 0.
class ObjectSerializeTest : public test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  /// Opens the log afresh, so that closedLog() gives only what follows.
  static void freshLog() {
    LogManager& log = LogManager::getInstance();
    log.setLogLevel(0);
    log.shutDown();
    ASSERT_EQ(log.startUp(), 0);
  }
};

TEST_F(ObjectSerializeTest, AllWritesEveryAttributeAndClearsTheFlagsThenOnlyChangesFollow) {
  Object* p_o = new Object;
  EXPECT_EQ(p_o->serialize("ALL"), FRESH_ALL);
  EXPECT_FALSE(p_o->isModified());
  EXPECT_EQ(p_o->serialize(""), "");
  p_o->setSpeed(2);
  EXPECT_EQ(p_o->serialize(""), "speed:2,");
  // "ALL" is everything again, the unchanged animation included.
  std::string again = FRESH_ALL;
  again.replace(again.find("speed:0,"), 8, "speed:2,");
  EXPECT_EQ(p_o->serialize("ALL"), again);
  EXPECT_EQ(closedLog(), Lines{});
}

TEST_F(ObjectSerializeTest, NamedSelectionWritesEachNameFollowedByACommaAndClearsOnlyThose) {
  const struct {
    const char* selection;
    const char* text;
  } cases[] = {
      {"SPEED,POSITION,", "pos-x:1,pos-y:1,speed:0,"},  // in writing order
      {"FOLLOW_PATH,", "follow_path:false,path:,path_index:0,"},
      {"ANIMATION,", "sprite_name:,sprite_index:0,sprite_slowdown_count:0,"},
      {"POSITION", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.selection);
    Object* p_o = new Object;
    p_o->setId(7);
    EXPECT_EQ(p_o->serialize(c.selection), c.text);
    EXPECT_EQ(p_o->isModified(POSITION), std::string(c.text).find("pos-x") == std::string::npos);
    EXPECT_TRUE(p_o->isModified(ID));
  }
  EXPECT_EQ(closedLog(),
            Lines{"Object::serialize(): Warning! Attribute 'POSITION' missing trailing ','"});
}

TEST_F(ObjectSerializeTest, ReadsBoxAsIntegersAndDirectionBeforeSpeedAndReplacesInterests) {
  Object* p_o = new Object;
  ASSERT_EQ(p_o->registerInterest("game-a"), 0);
  ASSERT_EQ(p_o->registerInterest("game-b"), 0);
  p_o->serialize("ALL");
  EXPECT_EQ(p_o->deserialize("box-corner-x:-0.5,box-corner-y:-0.5,box-horizontal:2.5,"
                             "box-vertical:1,x_direction:0,y_direction:2,speed:0.5,"
                             "event_count:1,event_name[0]:mo-step,"),
            0);
  // What was read, written back.
  EXPECT_EQ(p_o->serialize(""),
            "event_count:1,event_name[0]:mo-step,box-corner-x:0,box-corner-y:0,box-horizontal:2,"
            "box-vertical:1,x_direction:0,y_direction:1,speed:0.5,");
  EXPECT_EQ(p_o->deserialize("event_count:0,"), 0);
  EXPECT_EQ(p_o->getEventCount(), 0);
}

TEST_F(ObjectSerializeTest, PathIsWrittenWithSemicolonsAndReadBackUpToAMalformedNode) {
  Object* p_o = new Object;
  p_o->setPath(Path({Vector(3, 4), Vector(4.5f, -5)}));
  const std::string text = p_o->serialize("PATH,");
  EXPECT_EQ(text, "path:3;4|4.5;-5|,path_index:0,");
  const struct {
    std::string text;
    std::string path;  // as written afterwards
    Lines log;
  } cases[] = {
      {text, "3;4|4.5;-5|", {}},
      {"path:1;2|3|4;5,", "1;2|", {"Object::deserialize(): malformed node 3|4;5.", "\tNot added."}},
      {"path:1;inf|,", "7;7|", {"Object::deserialize(): malformed node 1;inf|.", "\tNot added."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Object* p_fresh = new Object;
    p_fresh->setPath(Path({Vector(7, 7)}));
    freshLog();
    p_fresh->deserialize(c.text);
    EXPECT_EQ(p_fresh->serialize("PATH,"), "path:" + c.path + ",path_index:0,");
    EXPECT_EQ(closedLog(), c.log);
  }
}

TEST_F(ObjectSerializeTest, MalformedOrIncompleteValuesAreLoggedAndNeverHalfApplied) {
  const std::string W = "Object::deserialize(): Warning! ";
  const struct {
    const char* text;
    const char* written;  // serialize("") afterwards
    Lines log;
    int log_level = 0;
  } cases[] = {
      // At level 20 every key read is logged too.
      {"pos-x:5,",
       "",
       {"Object::deserialize(): box not complete, so ignoring.",
        "Object::deserialize(): pos-x is 5.00",
        "Object::deserialize(): position not complete, so ignoring."},
       20},
      {"pos-x:abc,pos-y:2,", "pos-x:0,pos-y:2,", {W + "pos-x 'abc' is not a number, read as 0."}},
      {"pos-x:1e999,pos-y:2,speed:nan,",
       "",
       {W + "pos-x '1e999' is not a finite number. Ignored.",
        W + "speed 'nan' is not a finite number. Ignored."}},
      {"x_direction:3e38,y_direction:3e38,",
       "",
       {W + "direction (3e+38, 3e+38) too long. Ignored."}},
      {"box-corner-x:0,box-corner-y:0,box-horizontal:-1,box-vertical:1,",
       "",
       {W + "box extents -1 x 1 negative, so ignoring."}},
      {"shape:1,size:inf,color:1,opacity:9,",
       "",
       {W + "size 'inf' is not a finite number. Ignored."}},
      {"shape:1,size:3,color:1,opacity:300,",
       "",
       {W + "opacity 300 not in range [0,255], so ignoring the shape."}},
      {"shape:1,size:3,color:1,", "", {}},
      {"shape:1,size:3,color:1,opacity:9,", "shape:1,size:3,color:1,opacity:9,", {}},
      {"event_count:-5,event_name[0]:mo-step,", "", {W + "event_count -5 is negative. Ignored."}},
      {"event_count:2147483647,event_name[0]:mo-step,",
       "event_count:1,event_name[0]:mo-step,",
       {W + "event_count 2147483647 above the maximum (100), reading 100."}},
      {"altitude:x,", "altitude:0,", {W + "altitude 'x' is not a number, read as 0."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Object* p_o = new Object;
    ASSERT_EQ(p_o->registerInterest("game-a"), 0);
    p_o->serialize("ALL");
    freshLog();
    LogManager::getInstance().setLogLevel(c.log_level);
    EXPECT_EQ(p_o->deserialize(c.text), 0);
    LogManager::getInstance().setLogLevel(0);
    // The ANIMATION flag is never set by reading; every other change is.
    EXPECT_EQ(p_o->serialize(""), c.written);
    EXPECT_EQ(closedLog(), c.log);
  }
}

TEST_F(ObjectSerializeTest, EmptyTextAppliesNothingEvenAfterAnotherParse) {
  Object* p_o = new Object;
  p_o->serialize("ALL");
  match("pos-x:5,pos-y:5,", "");
  p_o->deserialize("");
  EXPECT_FALSE(p_o->isModified());
}

TEST_F(ObjectSerializeTest, AllTextAppliedToAFreshObjectGivesTheSameText) {
  Object* p_o = new Object;
  p_o->setId(40);
  ASSERT_EQ(p_o->registerInterest(STEP_EVENT) + p_o->registerInterest("game-a"), 0);
  p_o->setBox(Box(Vector(-1, -2), 3, 4));
  p_o->setPosition(Vector(12.25f, -3.5f));
  p_o->setType("Crate");
  p_o->setAltitude(1);
  p_o->setSolidness(SOFT);
  p_o->setNoSoft(true);
  p_o->setVelocity(Vector(3, 4));
  p_o->setAcceleration(Vector(0, 0.25f));
  Shape shape;
  shape.setType(TRIANGLE);
  shape.setSize(7.5f);
  shape.setColor(RED);
  shape.setOpacity(128);
  p_o->setShape(shape);
  p_o->setPath(Path({Vector(20, 1), Vector(21.5f, 1)}));
  p_o->setAvoidCollisions(true);
  const std::string text = p_o->serialize("ALL");

  Object* p_copy = new Object;
  EXPECT_EQ(p_copy->deserialize(text), 0);
  EXPECT_EQ(p_copy->serialize("ALL"), text);
  EXPECT_EQ(closedLog(), Lines{});
}

}  // namespace
}  // namespace mo
