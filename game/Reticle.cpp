#include "game/Reticle.h"

#include "engine/core/EventMouse.h"
#include "engine/core/EventStep.h"
#include "engine/core/utility.h"
#include "engine/media/DisplayManager.h"
#include "engine/media/InputManager.h"
#include "engine/world/WorldManager.h"

namespace gh {

Reticle::Reticle() {
  setType("Reticle");
  setSolidness(mo::SPECTRAL);
  setAltitude(mo::MAX_ALTITUDE);
  registerInterest(mo::MOUSE_EVENT);
  registerInterest(mo::STEP_EVENT);
  // Until the mouse first moves, only the pointer's current place (if it
  // is over the window) tells where a click would land.
  if (!mo::InputManager::getInstance().getMousePosition(view_position)) {
    const mo::Box view = mo::WorldManager::getInstance().getView();
    view_position = mo::Vector(view.getHorizontal() * 0.5f, view.getVertical() * 0.5f);
  }
  followPointer();
  color = mo::RED;
}

int Reticle::eventHandler(const mo::Event* p_e) {
  if (p_e->getType() == mo::STEP_EVENT) {
    followPointer();
    return 1;
  }
  if (p_e->getType() != mo::MOUSE_EVENT) return 0;
  const auto* p_mouse = static_cast<const mo::EventMouse*>(p_e);
  // Clicks leave the mark where it is: only a move changes the aim.
  if (p_mouse->getMouseAction() != mo::MOVED) return 0;
  view_position = p_mouse->getMousePosition();
  followPointer();
  return 1;
}

void Reticle::followPointer() { setPosition(mo::viewToWorld(view_position)); }

int Reticle::draw() {
  // The view may have moved since the last step (it follows the player
  // through the world's update).
  followPointer();
  return mo::DisplayManager::getInstance().drawCh(getPosition(), '+', color);
}

}  // namespace gh
