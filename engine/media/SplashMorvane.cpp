#include "engine/media/SplashMorvane.h"

#include <string>
#include <utility>
#include <vector>

#include "engine/core/Event.h"
#include "engine/core/GameManager.h"
#include "engine/media/Animation.h"
#include "engine/media/Splash.h"
#include "engine/media/Sprite.h"
#include "engine/media/spriteFromRows.h"
#include "engine/world/WorldManager.h"

namespace mo {

namespace {

const int RISE_STEPS = 30;
const int CHANGE_STEP = -15;
const int LAST_STEP = -45;
/// How far below the view's bottom edge the emblem starts (cells).
const float START_DEPTH = 6.0f;

/// The two poses of the emblem, alternating while it rises and rests.
std::unique_ptr<Sprite> emblemSprite() {
  // The vane turns on a mast that stands still.
  const std::vector<std::string> mast = {
      "     |     ",
      " W---+---E ",
      "     |     ",
      "     |     ",
      "    /|\\    ",
      "   /_|_\\   ",
  };
  std::vector<std::string> rows = {" >>==+==>  "};
  rows.insert(rows.end(), mast.begin(), mast.end());
  rows.push_back("  <==+==<< ");
  rows.insert(rows.end(), mast.begin(), mast.end());
  std::unique_ptr<Sprite> p_emblem = spriteFromRows(11, 7, rows, BLUE, 2);
  p_emblem->setLabel("splash-morvane");
  return p_emblem;
}

/// The emblem's second picture, shown once it has come to rest.
std::unique_ptr<Sprite> restingSprite() {
  static const std::vector<std::string> rows = {
      ">>===+=> ",
      "     |   ",
      "  W--+--E",
      "     |   ",
      "    /|\\  ",
      "   /_|_\\ ",
  };
  return spriteFromRows(9, 6, rows, GREEN, 1);
}

}  // namespace

SplashMorvane::SplashMorvane(Vector new_target)
    : target(new_target), countdown(RISE_STEPS), p_sprite(emblemSprite()) {
  Animation poses;
  poses.setSprite(p_sprite.get());
  setAnimation(poses);
  setType("SplashMorvane");
  setSolidness(SPECTRAL);

  const Box view = WorldManager::getInstance().getView();
  setPosition(Vector(target.getX(), view.getCorner().getY() + view.getVertical() + START_DEPTH));
  setVelocity(Vector(0.0f, -(getPosition().getY() - target.getY()) / RISE_STEPS));

  registerInterest(STEP_EVENT);
  registerInterest(KEYBOARD_EVENT);
}

SplashMorvane::~SplashMorvane() = default;

int SplashMorvane::eventHandler(const Event* p_e) {
  const int ended = Splash::handleEnding(this, p_e);
  if (ended != -1) return ended;
  if (p_e->getType() != STEP_EVENT) return 0;
  countdown--;
  if (countdown < 1 && getPosition().getY() <= target.getY()) setVelocity(Vector());
  if (countdown == CHANGE_STEP) {
    // The animation still shows the old sprite until it is replaced.
    std::unique_ptr<Sprite> p_resting = restingSprite();
    Animation resting;
    resting.setSprite(p_resting.get());
    setAnimation(resting);
    p_sprite = std::move(p_resting);
    setPosition(getPosition() - Vector(1.0f, 0.0f));
  } else if (countdown == LAST_STEP) {
    GameManager::getInstance().setGameOver(true);
    WorldManager::getInstance().markForDelete(this);
  }
  return 1;
}

}  // namespace mo
