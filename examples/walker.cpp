// A sprite that walks about a walled room: the arrow keys (or W, A, S, D)
// move it, and HARD walls stop it. Shows objects, a sprite drawn in code,
// keyboard events, and collisions between HARD objects.
//
// Outline: set-up, objects, loop, shut-down.

#include <memory>

#include "ExampleEnd.h"
#include "engine/Morvane.h"

// A HARD block of '#' cells with its top-left cell at the position.
class Wall : public mo::Object {
 public:
  Wall(mo::Vector top_left, int width, int height) : width(width), height(height) {
    setType("Wall");
    setSolidness(mo::HARD);
    // A cell's box is 0.99 wide, so neighbouring cells do not overlap.
    setBox(mo::Box(mo::Vector(-0.5f, -0.5f), width - 0.01f, height - 0.01f));
    setPosition(top_left);
  }

  int draw() override {
    const mo::DisplayManager& display = mo::DisplayManager::getInstance();
    for (int y = 0; y < height; y++) {
      for (int x = 0; x < width; x++) {
        display.drawCh(getPosition() + mo::Vector(x, y), '#', mo::BLUE);
      }
    }
    return 0;
  }

 private:
  int width;
  int height;
};

// The walker: moves while an arrow key is held and stops when it is let
// go. It sets off to the right by itself, so that a run without a
// keyboard (the tests') still meets a wall.
class Walker : public mo::Object {
 public:
  explicit Walker(mo::Sprite* p_sprite) {
    setType("Walker");
    mo::Animation animation;
    animation.setSprite(p_sprite);
    setAnimation(animation);  // also takes the sprite's box (3 x 2 cells)
    setPosition(mo::Vector(40, 12));
    setVelocity(mo::Vector(1, 0));
    registerInterest(mo::KEYBOARD_EVENT);
  }

  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() == mo::COLLISION_EVENT) {
      // The world has already kept a HARD walker out of a HARD wall.
      const auto* p_collision = static_cast<const mo::EventCollision*>(p_e);
      mo::LogManager::getInstance().writeLog("Walker: bumped into a %s at (%.0f, %.0f).",
                                             p_collision->getOtherObject(this)->getType().c_str(),
                                             static_cast<double>(getPosition().getX()),
                                             static_cast<double>(getPosition().getY()));
      setVelocity(mo::Vector());
      return 1;
    }
    if (p_e->getType() == mo::KEYBOARD_EVENT) {
      const auto* p_key = static_cast<const mo::EventKeyboard*>(p_e);
      const mo::Vector step = stepFor(p_key->getKey());
      if (!step) return 0;
      if (p_key->getKeyboardAction() == mo::KEY_PRESSED) setVelocity(step);
      if (p_key->getKeyboardAction() == mo::KEY_RELEASED) setVelocity(mo::Vector());
      return 1;
    }
    return 0;
  }

 private:
  // Cells per step for a key; (0,0) for a key that does not move.
  static mo::Vector stepFor(mo::KeyCode key) {
    switch (key) {
      case mo::LEFT_ARROW: case mo::A: return mo::Vector(-1, 0);
      case mo::RIGHT_ARROW: case mo::D: return mo::Vector(1, 0);
      case mo::UP_ARROW: case mo::W: return mo::Vector(0, -0.5f);
      case mo::DOWN_ARROW: case mo::S: return mo::Vector(0, 0.5f);
      default: return mo::Vector();
    }
  }
};

int main() {
  // Set-up: start every manager (the configuration file decides the
  // window; "headless:true," runs without one).
  mo::GameManager& game = mo::GameManager::getInstance();
  if (game.startUp() != 0) {
    mo::LogManager::getInstance().writeLog("Error starting game manager!");
    game.shutDown();
    return 1;
  }
  // Objects: a sprite of one frame, 3 x 2 characters, made in code (a
  // game would load it from a file with ResourceManager::loadSprite()).
  // The sprite must outlive every object that shows it.
  const std::unique_ptr<mo::Sprite> p_sprite =
      mo::spriteFromRows(3, 2, {" o ", "/|\\"}, mo::YELLOW, 1);
  new Wall(mo::Vector(2, 1), 76, 1);   // top
  new Wall(mo::Vector(2, 22), 76, 1);  // bottom
  new Wall(mo::Vector(2, 2), 1, 20);   // left
  new Wall(mo::Vector(77, 2), 1, 20);  // right
  new Wall(mo::Vector(20, 8), 12, 1);  // a shelf in the middle
  new Walker(p_sprite.get());
  new ExampleEnd;

  // Loop: one frame every frame_time milliseconds until Escape.
  game.run();

  // Shut-down: stops every manager and deletes the objects left.
  game.shutDown();
  return 0;
}
