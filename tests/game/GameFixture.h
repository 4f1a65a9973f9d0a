#ifndef GH_TEST_GAME_FIXTURE_H
#define GH_TEST_GAME_FIXTURE_H

#include <unistd.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Morvane.h"
#include "game/EventFreeze.h"
#include "game/Player.h"
#include "game/loadResources.h"
#include "support/EngineTest.h"

namespace gh {
namespace test {

/// The repository's data folder, found from this file's path.
inline std::string dataDir() {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind("/tests/")) + "/data";
}

/// The first object of type in the world; nullptr when there is none.
inline mo::Object* firstOf(const std::string& type) {
  const mo::ObjectList list = mo::WorldManager::getInstance().objectsOfType(type);
  return list.isEmpty() ? nullptr : mo::ObjectListIterator(&list).currentObject();
}

/// The working directory; "" when it cannot be read.
inline std::string workingDir() {
  char cwd[4096];
  return getcwd(cwd, sizeof cwd) ? std::string(cwd) : std::string();
}

/// A world position as "x,y".
inline std::string text(mo::Vector v) {
  std::ostringstream out;
  out << v.getX() << "," << v.getY();
  return out.str();
}

/// A headless engine set up as the game sets it up: an 80 x 24 view, a
/// world of 400 x 84 cells, no view slack and every game resource loaded
/// from the repository's data folder by the game's own loader.
class GameTest : public mo::test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    startHeadlessDisplay("frame_time:0,");
    ASSERT_EQ(mo::GameManager::getInstance().startUp(), 0);
    shapeWorld();
    old_cwd = workingDir();
    ASSERT_FALSE(old_cwd.empty());
    enterDir(dataDir());
    loadResources();
    enterDir(old_cwd);
  }
  void TearDown() override {
    enterDir(old_cwd);
    WorldTest::TearDown();
  }

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

  static Player* newPlayer(mo::Vector where = mo::Vector(100, 50)) {
    Player* p_player = new Player;
    p_player->setPosition(where);
    return p_player;
  }
  /// Level pieces of type drawn as sprite in the cells from to to (both
  /// included) of row y, as the level loader makes them.
  static void pieces(const char* type, const char* sprite, int from, int to, float y) {
    for (int x = from; x <= to; x++) {
      mo::Object* p_piece = new mo::Object;
      p_piece->setType(type);
      p_piece->setSprite(sprite);
      p_piece->setPosition(mo::Vector(static_cast<float>(x), y));
    }
  }
  /// Sends every object a freeze centred on centre.
  static void freezeAt(mo::Vector centre) {
    EventFreeze freeze(centre);
    mo::WorldManager::getInstance().onEvent(&freeze);
  }
  /// The world drawn into an 80 x 24 grid of characters.
  static mo::CharGrid drawn() {
    mo::CharGrid grid(80, 24);
    mo::DisplayManager::getInstance().setCharGrid(&grid);
    mo::WorldManager::getInstance().draw();
    mo::DisplayManager::getInstance().setCharGrid(nullptr);
    return grid;
  }
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
  /// n step events; outside run() the step count stays 0.
  static void step(int n = 1) {
    for (int i = 0; i < n; i++) {
      mo::EventStep s(mo::GameManager::getInstance().getStepCount());
      mo::GameManager::getInstance().onEvent(&s);
    }
  }
  /// Frames without input and drawing: a step, then the world's update.
  static void tick(int frames = 1) {
    for (int i = 0; i < frames; i++, mo::WorldManager::getInstance().update()) step();
  }
  /// Every object (inactive ones too) by id, described by describe.
  template <typename Describe>
  static std::vector<std::string> objects(Describe describe) {
    std::map<int, std::string> by_id;
    const mo::ObjectList all = mo::WorldManager::getInstance().getAllObjects(true);
    for (mo::ObjectListIterator it(&all); !it.isDone(); it.next()) {
      by_id[it.currentObject()->getId()] = describe(it.currentObject());
    }
    std::vector<std::string> result;
    for (const auto& entry : by_id) {
      if (!entry.second.empty()) result.push_back(entry.second);
    }
    return result;
  }
  static std::vector<std::string> types() {
    return objects([](const mo::Object* p_o) { return p_o->getType(); });
  }
  static int count(const std::string& type) {
    return mo::WorldManager::getInstance().objectsOfType(type).getCount();
  }
  static mo::Object* first(const std::string& type) { return firstOf(type); }

  std::string old_cwd;
};

/// A GameTest with a player at (100, 50).
class PlayerGameTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    p_player = newPlayer();
  }
  /// An empty world of the same shape with a new player at (100, 50).
  void restartWithPlayer() {
    restartWorld();
    p_player = newPlayer();
  }

  Player* p_player = nullptr;
};

}  // namespace test
}  // namespace gh

#endif
