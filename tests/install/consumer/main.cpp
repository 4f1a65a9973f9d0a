// Starts the installed engine headless, puts an object in the world,
// runs three frames and checks what the character grid shows.

#include <cstdio>
#include <memory>

#include "engine/Morvane.h"

class Stopper : public mo::Object {
 public:
  Stopper() {
    setVisible(false);
    setSolidness(mo::SPECTRAL);
    registerInterest(mo::STEP_EVENT);
  }
  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() != mo::STEP_EVENT) return 0;
    if (mo::GameManager::getInstance().getStepCount() == 2) {
      mo::GameManager::getInstance().setGameOver();
    }
    return 1;
  }
};

int main() {
  mo::Config::getInstance().loadConfig("headless:true,frame_time:1,");
  mo::GameManager& game = mo::GameManager::getInstance();
  if (game.startUp() != 0) {
    game.shutDown();
    return 1;
  }
  mo::CharGrid grid(80, 24);
  mo::DisplayManager::getInstance().setCharGrid(&grid);
  const std::unique_ptr<mo::Sprite> p_sprite = mo::spriteFromRows(2, 1, {"ok"}, mo::GREEN, 1);
  auto* p_object = new mo::Object;
  mo::Animation animation;
  animation.setSprite(p_sprite.get());
  p_object->setAnimation(animation);
  p_object->setPosition(mo::Vector(10, 5));
  new Stopper;
  game.run();
  // The loop clears the grid when it shows a frame; draw once more.
  mo::WorldManager::getInstance().draw();
  const bool shown = grid.trimmedRow(5).find("ok") != std::string::npos;
  const int steps = game.getStepCount();
  mo::DisplayManager::getInstance().setCharGrid(nullptr);
  game.shutDown();
  std::printf("Morvane %.2f: %d steps, object %s\n", static_cast<double>(mo::MORVANE_VERSION), steps,
              shown ? "shown" : "missing");
  return shown && steps == 3 ? 0 : 1;
}
