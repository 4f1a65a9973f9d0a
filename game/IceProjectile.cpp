#include "game/IceProjectile.h"

#include <string>

#include "engine/core/EventCollision.h"
#include "engine/core/utility.h"
#include "engine/world/WorldManager.h"
#include "game/EventFreeze.h"
#include "game/IceFreezeVisuals.h"
#include "game/IcePlatform.h"
#include "game/IceWall.h"
#include "game/appearBeside.h"

namespace gh {

IceProjectile::IceProjectile(int platform_lifetime, int wall_lifetime, mo::Vector target,
                             CastKind kind, const Player* p_player) {
  setType("IceProjectile");
  this->kind = kind;
  setSolidness(mo::SOFT);
  this->target = target;
  arrival_radius = 3.0f;
  registerInterest(mo::OUT_EVENT);
  registerInterest(mo::COLLISION_EVENT);
  registerInterest(mo::STEP_EVENT);
  setSpeed(1.0f);
  appearBeside(this, p_player->getPosition(), p_player->getFacing(), "ice-projectile-right",
               "ice-projectile-left");
  this->platform_lifetime = platform_lifetime;
  this->wall_lifetime = wall_lifetime;
  made = false;
}

IceProjectile::~IceProjectile() = default;

int IceProjectile::eventHandler(const mo::Event* p_e) {
  const std::string type = p_e->getType();
  if (type == mo::OUT_EVENT) {
    end(nullptr);
    return 1;
  }
  if (type == mo::COLLISION_EVENT) {
    const auto* p_collision = static_cast<const mo::EventCollision*>(p_e);
    if (ending.handles(this, *p_collision)) collide(p_collision);
    return 1;
  }
  if (type == mo::STEP_EVENT) {
    if (!ending.isEnded() && mo::distance(getPosition(), target) <= arrival_radius) {
      makeIce(target);
      end(nullptr);
    }
    return 1;
  }
  return 0;
}

void IceProjectile::collide(const mo::EventCollision* p_collision) {
  const std::string other = p_collision->getOtherObject(this)->getType();
  if (other == "Player") return;
  // For a freeze, the ice made here is the freeze itself.
  if (other == "LeftWall" || other == "RightWall" || other == "Floor" ||
      (other == "Enemy" && kind == CAST_FREEZE)) {
    makeIce(getPosition());
  }
  end(p_collision);
}

void IceProjectile::makeIce(mo::Vector place) {
  // One cast makes its ice once: touching two floor cells in one move,
  // or arriving and then touching something in the same frame, must not
  // make it again.
  if (made) return;
  made = true;
  switch (kind) {
    case CAST_PLATFORM:
      new IcePlatform(platform_lifetime, place);
      break;
    case CAST_WALL:
      new IceWall(wall_lifetime, place);
      break;
    case CAST_FREEZE:
      freeze(place);
      break;
  }
}

void IceProjectile::freeze(mo::Vector place) {
  // The freeze is centred on the projectile even when it arrived: only
  // the circle goes to the target.
  const EventFreeze freeze_event(getPosition());
  mo::WorldManager::getInstance().onEvent(&freeze_event);
  new IceFreezeVisuals(place);
}

void IceProjectile::end(const mo::EventCollision* p_contact) {
  ending.end(this, p_contact);
  mo::WorldManager::getInstance().markForDelete(this);
}

}  // namespace gh
