#include "game/QuitTimer.h"

#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"

namespace gh {

QuitTimer::QuitTimer(int frames) : frames_left(frames) {
  setType("QuitTimer");
  registerInterest(mo::STEP_EVENT);
}

int QuitTimer::eventHandler(const mo::Event* p_e) {
  if (p_e->getType() != mo::STEP_EVENT) return mo::Object::eventHandler(p_e);
  if (frames_left > 0) frames_left--;
  if (frames_left == 0) mo::GameManager::getInstance().setGameOver();
  return 1;
}

}  // namespace gh
