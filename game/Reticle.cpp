#include "game/Reticle.h"

#include "engine/core/EventMouse.h"
#include "engine/core/utility.h"
#include "engine/media/DisplayManager.h"
#include "engine/world/WorldManager.h"

namespace gh {

Reticle::Reticle() {
  setType("Reticle");
  setSolidness(mo::SPECTRAL);
  setAltitude(mo::MAX_ALTITUDE);
  registerInterest(mo::MOUSE_EVENT);
  const mo::Box boundary = mo::WorldManager::getInstance().getBoundary();
  setPosition(mo::Vector(boundary.getHorizontal() * 0.5f, boundary.getVertical() * 0.5f));
  color = mo::RED;
}

int Reticle::eventHandler(const mo::Event* p_e) {
  if (p_e->getType() != mo::MOUSE_EVENT) return 0;
  const auto* p_mouse = static_cast<const mo::EventMouse*>(p_e);
  // Clicks leave the mark where it is: only a move changes the aim.
  if (p_mouse->getMouseAction() != mo::MOVED) return 0;
  setPosition(mo::viewToWorld(p_mouse->getMousePosition()));
  return 1;
}

int Reticle::draw() {
  return mo::DisplayManager::getInstance().drawCh(getPosition(), '+', color);
}

}  // namespace gh
