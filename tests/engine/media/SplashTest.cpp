#include "engine/media/Splash.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/Morvane.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using SplashTest = test::EngineTest;

TEST_F(SplashTest, StartsBeyondTheViewAtASpeedSetByTheFrameTimeAndCallsTheEmblemBelowIt) {
  // Under 2 ms half the frame time would be 0 and the speed infinite.
  for (const auto& [frame_time, speed] :
       {std::pair("33", 74.5f / 16), {"1", 74.5f}, {"0", 74.5f}}) {
    SCOPED_TRACE(frame_time);
    test::ScopedEnv env("MORVANE_CONFIG", writeTempFile("config.txt", "headless:true,frame_time:" +
                                                                          std::string(frame_time)));
    ASSERT_EQ(GameManager::getInstance().startUp(), 0);
    WorldManager::getInstance().setView(Box(Vector(10, 5), 80, 24));
    Splash* p_splash = new Splash;
    EXPECT_EQ(p_splash->getPosition(), Vector(10 + 80 + 23.5f, 5 + 12));
    EXPECT_EQ(p_splash->getVelocity(), Vector(-speed, 0));
    EXPECT_EQ(ResourceManager::getInstance().getSprite("splash"), nullptr);
    // The 15th step calls up the emblem beside it, six cells below the view.
    for (int step = 0; step < 15; step++) {
      const EventStep event(step);
      p_splash->eventHandler(&event);
    }
    const ObjectList emblems = WorldManager::getInstance().objectsOfType("SplashMorvane");
    ASSERT_EQ(emblems.getCount(), 1);
    EXPECT_EQ(ObjectListIterator(&emblems).currentObject()->getPosition(),
              Vector(113.5f + 24, 5 + 24 + 6));
    GameManager::getInstance().shutDown();
  }
}

}  // namespace
}  // namespace mo
