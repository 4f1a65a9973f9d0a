#include "engine/media/splashScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/Morvane.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"
#include "support/InputProbe.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

/// One splash object as a frame's step handlers find it: as the previous
/// frame's update left it. The sprite reads "label frames WxH colour C
/// slowdown S", empty when the object is not in the world.
struct Seen {
  Vector position, velocity;
  int index = 0;
  std::string sprite;
};

/// Registered for steps before the splash begins, so it sees each frame
/// first. From frame key_frame on (unless -1) it holds Space down, and
/// lets it go at frame release_frame (unless -1).
class Watcher : public Object {
 public:
  explicit Watcher(int key_frame = -1, int release_frame = -1)
      : key_frame(key_frame), release_frame(release_frame) {
    registerInterest(STEP_EVENT);
    InputManager::getInstance().setInputState(&keys);
  }
  int eventHandler(const Event*) override {
    const int frame = static_cast<int>(banner.size());
    if (frame == key_frame) keys.keys.insert(sf::Keyboard::Space);
    if (frame == release_frame) {
      keys.keys.clear();
      EventKeyboard release;
      release.setKey(SPACE);
      release.setKeyboardAction(KEY_RELEASED);
      InputManager::getInstance().onEvent(&release);
    }
    if (!keys.keys.empty()) InputManager::getInstance().sendHeldState();
    banner.push_back(seen("Splash"));
    emblem.push_back(seen("SplashMorvane"));
    return 1;
  }
  static Seen seen(const std::string& type) {
    const ObjectList list = WorldManager::getInstance().objectsOfType(type);
    if (list.isEmpty()) return {};
    const Object* p_o = ObjectListIterator(&list).currentObject();
    const Animation animation = p_o->getAnimation();
    const Sprite& s = *animation.getSprite();
    return {p_o->getPosition(), p_o->getVelocity(), animation.getIndex(),
            s.getLabel() + " " + std::to_string(s.getFrameCount()) + " " +
                std::to_string(s.getWidth()) + "x" + std::to_string(s.getHeight()) + " colour " +
                std::to_string(s.getColor()) + " slowdown " + std::to_string(s.getSlowdown())};
  }
  int key_frame, release_frame;
  test::FakeInputState keys;
  std::vector<Seen> banner, emblem;
};

/// The engine started headless, logging at level 10: an 80 x 24 view at
/// (0, 0), 33 ms frames, a clock that moves only when the loop sleeps.
class SplashScreenTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    test::ScopedEnv env("MORVANE_CONFIG", writeTempFile("config.txt", "headless:true,"));
    ASSERT_EQ(GameManager::getInstance().startUp(), 0);
    LogManager::getInstance().setLogLevel(10);
  }
  static int objectCount() { return WorldManager::getInstance().getAllObjects(true).getCount(); }
  test::FakeTimeSource clock;
};

TEST_F(SplashScreenTest, RefusesToRunBeforeTheGameManagerStarts) {
  GameManager::getInstance().shutDown();
  LogManager::getInstance().setLogLevel(0);  // keeps its start-up line out
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  LogManager::getInstance().setLogLevel(10);
  EXPECT_EQ(splash(), -1);
  EXPECT_EQ(closedLog(), (Lines{"splash(): Started.",
                                "splash(): Error! Cannot run splash screen "
                                "until game manger is started."}));
  EXPECT_TRUE(clock.sleeps_ms.empty());  // no loop ran
}

TEST_F(SplashScreenTest, BannerSlidesInAndStopsThenTheEmblemRisesBesideItAndEndsTheLoop) {
  const Watcher* p_watcher = new Watcher;
  EXPECT_EQ(splash(), 0);
  EXPECT_EQ(objectCount(), 1);  // the watcher
  const std::vector<Seen>& banner = p_watcher->banner;
  const std::vector<Seen>& emblem = p_watcher->emblem;
  // Ninety frames of splash, then one in which no key is found held.
  ASSERT_EQ(banner.size(), 91u);
  EXPECT_EQ(GameManager::getInstance().getStepCount(), 1);
  EXPECT_EQ(banner[90].sprite + emblem[90].sprite, "");
  EXPECT_EQ(banner[0].position, Vector(103.5f, 12));
  EXPECT_EQ(banner[0].velocity, Vector(-4.65625f, 0));
  EXPECT_EQ(banner[0].sprite, "splash 2 47x8 colour 2 slowdown 1");
  // Fourteen moves on the stopped slanted frame; the 15th step stops the
  // banner upright and calls the emblem, which moves once in that frame.
  const Vector stop(103.5f - 14 * 4.65625f, 12);
  EXPECT_EQ(banner[14].index, 0);
  EXPECT_EQ(emblem[14].sprite, "");
  EXPECT_EQ(banner[15].position, stop);
  EXPECT_EQ(banner[15].velocity, Vector());
  EXPECT_EQ(banner[15].index, 1);
  EXPECT_NE(banner[89].sprite, "");  // deleted in the last frame

  const Vector target = stop + Vector(24, 1);
  const float rise = (30 - target.getY()) / 30;
  EXPECT_FLOAT_EQ(emblem[15].position.getX(), target.getX());
  EXPECT_FLOAT_EQ(emblem[15].position.getY(), 30 - rise);
  EXPECT_FLOAT_EQ(emblem[15].velocity.getY(), -rise);
  EXPECT_NE(emblem[44].velocity, Vector());  // thirty moves, then it rests
  EXPECT_EQ(emblem[45].velocity, Vector());
  EXPECT_NEAR(emblem[45].position.getY(), target.getY(), 1e-4);
  EXPECT_EQ(emblem[59].sprite, "splash-morvane 2 11x7 colour 4 slowdown 2");
  EXPECT_EQ(emblem[60].sprite, "[Undefined] 1 9x6 colour 2 slowdown 1");  // a cell further left
  EXPECT_FLOAT_EQ(emblem[60].position.getX(), target.getX() - 1);

  const Lines log = closedLog();
  EXPECT_EQ(Lines(std::find(log.begin(), log.end(), "splash(): Started."), log.end()),
            (Lines{"splash(): Started.", "GameManager::run(): starting game loop",
                   "GameManager::run(): end of game loop", "GameManager::run(): starting game loop",
                   "GameManager::run(): end of game loop", "splash(): Finished."}));
}

TEST_F(SplashScreenTest, AKeyEndsItAtOnceAndIsKeptFromTheGameUntilReleased) {
  // Frame 0 has the banner alone; by frame 50 the emblem has risen. A key
  // never let go is waited for 60 frames.
  const struct {
    int key_frame, release_frame, frames;
  } rows[] = {{0, 5, 6}, {50, 80, 81}, {10, -1, 71}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.key_frame);
    Watcher* p_watcher = new Watcher(row.key_frame, row.release_frame);
    EXPECT_EQ(splash(), 0);
    const std::vector<Seen>& banner = p_watcher->banner;
    ASSERT_EQ(static_cast<int>(banner.size()), row.frames);
    EXPECT_NE(banner[static_cast<std::size_t>(row.key_frame)].sprite, "");
    EXPECT_EQ(banner[static_cast<std::size_t>(row.key_frame) + 1].sprite, "");
    EXPECT_EQ(objectCount(), 1);
    delete p_watcher;
  }
}

}  // namespace
}  // namespace mo
