#include "engine/media/Splash.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/core/Event.h"
#include "engine/core/GameManager.h"
#include "engine/media/Animation.h"
#include "engine/media/SplashMorvane.h"
#include "engine/media/Sprite.h"
#include "engine/media/spriteFromRows.h"
#include "engine/world/WorldManager.h"

namespace mo {

namespace {

const int BANNER_WIDTH = 47;
const int BANNER_HEIGHT = 8;
const int STEPS_TO_STOP = 15;
const int LAST_STEP = -75;
/// How far the emblem's target lies from the stopped banner.
const Vector EMBLEM_OFFSET(24.0f, 1.0f);

/// Frame 0, slanted, is shown while the banner slides in; frame 1,
/// upright, once it has stopped. The upright letters keep clear of the
/// last five columns: the emblem rises there, and its blank cells paint
/// over whatever lies beneath them.
const std::vector<std::string>& bannerRows() {
  static const std::vector<std::string> rows = {
      // Frame 0: slanted.
      "                                               ",
      "                                               ",
      "    _ _   ___   ___         ___         ____   ",
      "   /\\V// /   / /   / /   / /   / /\\  / /       ",
      "  /   / /   / /___/ /   / /___/ / \\ / /___     ",
      " /   / /   / /  \\  \\  /  /   / /  \\/ /         ",
      "/   / /___/ /   \\  \\/   /   / /   / /____      ",
      "                                               ",
      // Frame 1: upright.
      "                                               ",
      "                                               ",
      " _ _   ___   ___         ___         ____      ",
      "|\\V/| /   \\ |   \\ |   | /   \\ |\\  | |          ",
      "|   | |   | |___/ |   | |___| | \\ | |___       ",
      "|   | |   | |  \\   \\ /  |   | |  \\| |          ",
      "|   | \\___/ |   \\   V   |   | |   | |____      ",
      "=========================================      ",
  };
  return rows;
}

}  // namespace

Splash::Splash()
    : countdown(STEPS_TO_STOP),
      p_sprite(spriteFromRows(BANNER_WIDTH, BANNER_HEIGHT, bannerRows(), GREEN, 1)) {
  p_sprite->setLabel("splash");
  Animation banner;
  banner.setSprite(p_sprite.get());
  banner.setSlowdownCount(-1);
  setAnimation(banner);
  setType("Splash");
  setSolidness(SPECTRAL);

  const Box view = WorldManager::getInstance().getView();
  const float half_width = getBox().getHorizontal() * 0.5f;
  setPosition(Vector(view.getCorner().getX() + view.getHorizontal() + half_width,
                     view.getCorner().getY() + view.getVertical() * 0.5f));
  // The speed is tied to half the frame time; a frame time below 2 ms
  // would divide by zero and fling the banner to infinity.
  const int half_frame_time = std::max(1, GameManager::getInstance().getFrameTime() / 2);
  const float travel =
      view.getHorizontal() * 0.5f + static_cast<float>(BANNER_WIDTH) * 0.5f + 11.0f;
  setVelocity(Vector(-travel / static_cast<float>(half_frame_time), 0.0f));

  registerInterest(STEP_EVENT);
  registerInterest(KEYBOARD_EVENT);
}

Splash::~Splash() = default;

int Splash::handleEnding(Object* p_o, const Event* p_e) {
  GameManager& game_manager = GameManager::getInstance();
  if (game_manager.getGameOver()) {
    WorldManager::getInstance().markForDelete(p_o);
    return 0;
  }
  if (p_e->getType() != KEYBOARD_EVENT) return -1;
  game_manager.setGameOver(true);
  WorldManager::getInstance().markForDelete(p_o);
  return 1;
}

int Splash::eventHandler(const Event* p_e) {
  const int ended = handleEnding(this, p_e);
  if (ended != -1) return ended;
  if (p_e->getType() != STEP_EVENT) return 0;
  countdown--;
  if (countdown == 0) {
    Animation upright = getAnimation();
    upright.setIndex(1);
    setAnimation(upright);
    setVelocity(Vector());
    new SplashMorvane(getPosition() + EMBLEM_OFFSET);
  } else if (countdown == LAST_STEP) {
    WorldManager::getInstance().markForDelete(this);
  }
  return 1;
}

}  // namespace mo
