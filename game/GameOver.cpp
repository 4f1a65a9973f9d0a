#include "game/GameOver.h"

#include "engine/core/Event.h"
#include "engine/media/Sprite.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"

namespace gh {

GameOver::GameOver(bool victory) {
  setType("GameOver");
  const std::string label = victory ? "game-over-victory" : "game-over";
  if (setSprite(label) != 0) {
    time_to_live = 0;
  } else {
    const mo::Sprite* p_sprite = getAnimation().getSprite();
    time_to_live = p_sprite->getFrameCount() * p_sprite->getSlowdown();
  }
  setLocation(mo::CENTER_CENTER);
  registerInterest(mo::STEP_EVENT);

  mo::WorldManager& world = mo::WorldManager::getInstance();
  const mo::ObjectList all = world.getAllObjects(true);
  for (mo::ObjectListIterator it(&all); !it.isDone(); it.next()) {
    mo::Object* p_o = it.currentObject();
    if (p_o->getType() != "GameOver" && p_o->getType() != "GameStart") world.markForDelete(p_o);
  }
  world.setViewFollowing(nullptr);
  const mo::Box boundary = world.getBoundary();
  world.setViewPosition(mo::Vector(static_cast<float>(boundary.getHorizontal() / 10.0),
                                   static_cast<float>(boundary.getVertical() / 7.0)));
}

GameOver::~GameOver() {
  mo::WorldManager& world = mo::WorldManager::getInstance();
  // At shut-down the world deletes everything itself; queueing then would
  // leave stale entries behind.
  if (!world.isStarted()) return;
  const mo::ObjectList all = world.getAllObjects(true);
  for (mo::ObjectListIterator it(&all); !it.isDone(); it.next()) {
    mo::Object* p_o = it.currentObject();
    if (p_o->getType() == "GameStart") {
      p_o->setActive(true);
    } else {
      world.markForDelete(p_o);
    }
  }
}

int GameOver::eventHandler(const mo::Event* p_e) {
  if (p_e->getType() != mo::STEP_EVENT) return 0;
  time_to_live--;
  if (time_to_live <= 0) mo::WorldManager::getInstance().markForDelete(this);
  return 1;
}

int GameOver::draw() { return Object::draw(); }

}  // namespace gh
