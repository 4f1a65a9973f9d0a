#include "game/Bullet.h"

#include "engine/core/EventCollision.h"
#include "engine/world/WorldManager.h"
#include "game/Enemy.h"
#include "game/appearBeside.h"

namespace gh {

Bullet::Bullet(const Player* p_shooter) : from_player(true), shooter_heavy(false) {
  setType("Bullet");
  start(p_shooter->getPosition(), p_shooter->getFacing(), "bullet-player-right",
        "bullet-player-left");
}

Bullet::Bullet(const Enemy* p_shooter) : from_player(false), shooter_heavy(p_shooter->isHeavy()) {
  setType("Bullet");
  start(p_shooter->getPosition(), p_shooter->getFacing(), "bullet-enemy-right",
        "bullet-enemy-left");
}

Bullet::~Bullet() = default;

void Bullet::start(mo::Vector shooter_position, Facing shooter_facing, const char* right_sprite,
                   const char* left_sprite) {
  registerInterest(mo::OUT_EVENT);
  registerInterest(mo::COLLISION_EVENT);
  setSpeed(1.0f);
  setSolidness(mo::SOFT);
  appearBeside(this, shooter_position, shooter_facing, right_sprite, left_sprite);
}

int Bullet::eventHandler(const mo::Event* p_e) {
  if (p_e->getType() == mo::OUT_EVENT) {
    mo::WorldManager::getInstance().markForDelete(this);
    return 1;
  }
  if (p_e->getType() == mo::COLLISION_EVENT) {
    hit(p_e);
    return 1;
  }
  return 0;
}

void Bullet::hit(const mo::Event* p_e) {
  const auto* p_collision = static_cast<const mo::EventCollision*>(p_e);
  if (!ending.handles(this, *p_collision)) return;
  mo::Object* p_other = p_collision->getOtherObject(this);
  const std::string other = p_other->getType();
  if (other == "Bullet" || other == (from_player ? "Player" : "Enemy")) return;
  ending.end(this, p_collision);
  mo::WorldManager::getInstance().markForDelete(this);
  if (from_player) {
    if (Enemy* p_enemy = dynamic_cast<Enemy*>(p_other)) p_enemy->hurt(PLAYER_DAMAGE);
  } else if (Player* p_player = dynamic_cast<Player*>(p_other)) {
    p_player->hurt(shooter_heavy ? HEAVY_ENEMY_DAMAGE : ENEMY_DAMAGE);
  }
}

}  // namespace gh
