#include "game/Chest.h"

#include "engine/core/EventKeyboard.h"
#include "engine/core/utility.h"
#include "engine/world/WorldManager.h"
#include "game/Player.h"
#include "game/playSound.h"

namespace gh {

Chest::Chest(mo::Vector position, Player* p_player) {
  setType("Chest");
  setSprite("chest");
  setPosition(position);
  setSolidness(mo::SOFT);
  setAltitude(1);
  this->p_player = p_player;
  registerInterest(mo::KEYBOARD_EVENT);
  registerInterest(mo::STEP_EVENT);
  player_near = false;
}

Chest::~Chest() = default;

int Chest::eventHandler(const mo::Event* p_e) {
  if (p_e->getType() == mo::KEYBOARD_EVENT) {
    const auto* p_key = static_cast<const mo::EventKeyboard*>(p_e);
    // Only the press counts: holding E down must not open the chest.
    if (player_near && p_key->getKey() == mo::E &&
        p_key->getKeyboardAction() == mo::KEY_PRESSED) {
      playSound("open-chest");
      p_player->setVictory(true);
      mo::WorldManager::getInstance().markForDelete(p_player);
    }
    return 1;
  }
  if (p_e->getType() == mo::STEP_EVENT) {
    player_near = mo::distance(p_player->getPosition(), getPosition()) <= 5.0f;
    return 1;
  }
  return 0;
}

}  // namespace gh
