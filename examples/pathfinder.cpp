// A seeker that finds its own way around walls: each goal is searched
// for in the frames' spare time, and the seeker then follows the path
// found. A left click sends it to the clicked cell; otherwise it visits
// the room's corners in turn. Shows PathManager::findPath(), EventPath,
// path following, and walls whose collision box comes from their sprite.
//
// Outline: set-up, objects, loop, shut-down.

#include <memory>
#include <string>
#include <vector>

#include "ExampleEnd.h"
#include "engine/Morvane.h"

// A HARD wall showing a sprite of '#' cells; the sprite gives its box.
class Wall : public mo::Object {
 public:
  Wall(mo::Sprite* p_sprite, mo::Vector centre) {
    setType("Wall");
    mo::Animation animation;
    animation.setSprite(p_sprite);
    setAnimation(animation);
    setPosition(centre);
  }
};

// The seeker: asks for a path to its next goal and follows it when the
// search reports one.
class Seeker : public mo::Object {
 public:
  Seeker() {
    setType("Seeker");
    setSpeed(0.5f);  // cells per step along the path
    // Paths may cut a wall's corner diagonally; sliding along the wall
    // there keeps the seeker from sticking to it.
    setAvoidCollisions();
    setPosition(mo::Vector(5, 12));
    mo::Shape dot;
    dot.setType(mo::CIRCLE);
    dot.setColor(mo::GREEN);
    setShape(dot);
    registerInterest(mo::STEP_EVENT);
    registerInterest(mo::MOUSE_EVENT);
    goTo(corners[0]);
  }

  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() == mo::PATH_EVENT) {
      // The base class takes a path found and starts following it.
      const auto* p_path = static_cast<const mo::EventPath*>(p_e);
      if (p_path->getResult() == mo::PATH_FOUND) {
        log().writeLog("Seeker: a path of %d nodes found.", p_path->getPath().getCount());
      } else {
        log().writeLog("Seeker: no path; waiting for a click.");
        travelling = false;
      }
      return Object::eventHandler(p_e);
    }
    if (p_e->getType() == mo::STEP_EVENT) {
      // Following stops by itself at the path's last node.
      if (travelling && !getFollowPath() && !getPathSearch()) {
        travelling = false;
        log().writeLog("Seeker: arrived at (%.0f, %.0f).", static_cast<double>(getPosition().getX()),
                       static_cast<double>(getPosition().getY()));
        next = (next + 1) % corners.size();
        goTo(corners[next]);
      }
      return 1;
    }
    if (p_e->getType() == mo::MOUSE_EVENT) {
      const auto* p_mouse = static_cast<const mo::EventMouse*>(p_e);
      if (p_mouse->getMouseAction() != mo::CLICKED || p_mouse->getMouseButton() != mo::LEFT) {
        return 0;
      }
      goTo(mo::viewToWorld(p_mouse->getMousePosition()));
      return 1;
    }
    return 0;
  }

 private:
  static const mo::LogManager& log() { return mo::LogManager::getInstance(); }

  void goTo(mo::Vector goal) {
    setFollowPath(false);
    setVelocity(mo::Vector());
    setSpeed(0.5f);
    // -1 when the goal is outside the world; the seeker then waits.
    travelling = mo::PathManager::getInstance().findPath(this, goal) == 0;
  }

  std::vector<mo::Vector> corners{mo::Vector(74, 12), mo::Vector(74, 3), mo::Vector(5, 20),
                                  mo::Vector(5, 12)};
  std::size_t next = 0;
  bool travelling = false;
};

int main() {
  // Set-up.
  mo::GameManager& game = mo::GameManager::getInstance();
  if (game.startUp() != 0) {
    mo::LogManager::getInstance().writeLog("Error starting game manager!");
    game.shutDown();
    return 1;
  }

  // Objects: two walls with a gap the seeker has to find.
  const std::unique_ptr<mo::Sprite> p_tall =
      mo::spriteFromRows(1, 16, std::vector<std::string>(16, "#"), mo::BLUE, 1);
  const std::unique_ptr<mo::Sprite> p_wide =
      mo::spriteFromRows(30, 1, {std::string(30, '#')}, mo::BLUE, 1);
  new Wall(p_tall.get(), mo::Vector(30, 8));
  new Wall(p_tall.get(), mo::Vector(50, 15));
  new Wall(p_wide.get(), mo::Vector(50, 6));
  new Seeker;
  new ExampleEnd;

  // Loop.
  game.run();

  // Shut-down.
  game.shutDown();
  return 0;
}
