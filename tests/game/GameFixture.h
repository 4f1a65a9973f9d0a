#ifndef GH_TEST_GAME_FIXTURE_H
#define GH_TEST_GAME_FIXTURE_H

#include <unistd.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/Morvane.h"
#include "game/loadResources.h"
#include "support/EngineTest.h"

namespace gh {
namespace test {

/// The repository's data folder, found from this file's path.
inline std::string dataDir() {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind("/tests/")) + "/data";
}

/// A headless engine set up as the game sets it up: an 80 x 24 view, a
/// world of 400 x 84 cells, no view slack and every game resource loaded
/// (from the data folder, by the game's own loader).
class GameTest : public mo::test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    startHeadlessDisplay("frame_time:0,");
    ASSERT_EQ(mo::GameManager::getInstance().startUp(), 0);
    shapeWorld();
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    old_cwd = cwd;
    enterDir(dataDir());
    loadResources();
    enterDir(old_cwd);
  }
  void TearDown() override {
    enterDir(old_cwd);
    WorldTest::TearDown();
  }

  /// The game's boundary (five by three and a half views), no slack.
  static void shapeWorld() {
    mo::WorldManager& world = mo::WorldManager::getInstance();
    world.setBoundary(mo::Box(mo::Vector(), 400, 84));
    world.setView(mo::Box(mo::Vector(), 80, 24));
    world.setViewSlack(mo::Vector(0, 0));
  }
  /// Deletes every object and starts an empty world of the same shape.
  static void restartWorld() {
    mo::WorldManager::getInstance().reset();
    ASSERT_EQ(mo::WorldManager::getInstance().startUp(), 0);
    shapeWorld();
  }
  /// Makes dir the working directory (restored at the end of the test).
  static void enterDir(const std::string& dir) { ASSERT_EQ(chdir(dir.c_str()), 0) << dir; }

  static void key(mo::KeyCode code, mo::KeyboardAction action) {
    mo::EventKeyboard k;
    k.setKey(code);
    k.setKeyboardAction(action);
    mo::InputManager::getInstance().onEvent(&k);
  }
  static void mouse(mo::MouseAction action, mo::MouseButton button, mo::Vector where) {
    mo::EventMouse m;
    m.setMouseAction(action);
    m.setMouseButton(button);
    m.setMousePosition(where);
    mo::InputManager::getInstance().onEvent(&m);
  }
  /// One step event; outside run() the step count stays 0.
  static void step() {
    mo::EventStep s(mo::GameManager::getInstance().getStepCount());
    mo::GameManager::getInstance().onEvent(&s);
  }
  /// A frame without input and drawing: step, then the world's update.
  static void tick(int frames = 1) {
    for (int i = 0; i < frames; i++) {
      step();
      mo::WorldManager::getInstance().update();
    }
  }
  /// The types of every object in the world, inactive ones included,
  /// in id order.
  static std::vector<std::string> types() {
    std::vector<std::pair<int, std::string>> found;
    const mo::ObjectList all = mo::WorldManager::getInstance().getAllObjects(true);
    for (mo::ObjectListIterator it(&all); !it.isDone(); it.next()) {
      found.emplace_back(it.currentObject()->getId(), it.currentObject()->getType());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> result;
    for (const auto& entry : found) result.push_back(entry.second);
    return result;
  }
  static int count(const std::string& type) {
    return mo::WorldManager::getInstance().objectsOfType(type).getCount();
  }
  static mo::Object* first(const std::string& type) {
    const mo::ObjectList list = mo::WorldManager::getInstance().objectsOfType(type);
    return list.isEmpty() ? nullptr : mo::ObjectListIterator(&list).currentObject();
  }

  std::string old_cwd;
};

}  // namespace test
}  // namespace gh

#endif
