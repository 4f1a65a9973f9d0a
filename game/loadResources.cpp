#include "game/loadResources.h"

#include "engine/media/ResourceManager.h"

namespace gh {

void loadResources() {
  mo::ResourceManager& resources = mo::ResourceManager::getInstance();
  // Label and file of every sprite, in loading order.
  static const char* const SPRITES[][2] = {
      {"game-start", "sprites/gamestart-spr.txt"},
      {"game-over", "sprites/gameover-spr.txt"},
      {"game-over-victory", "sprites/gameover-victory-spr.txt"},
      {"player-left-gun", "sprites/player-left-gun-spr.txt"},
      {"player-right-gun", "sprites/player-right-gun-spr.txt"},
      {"player-left-staff", "sprites/player-left-staff-spr.txt"},
      {"player-right-staff", "sprites/player-right-staff-spr.txt"},
      {"enemy", "sprites/enemy-spr.txt"},
      {"enemy-left", "sprites/enemy-left-spr.txt"},
      {"enemy-right", "sprites/enemy-right-spr.txt"},
      {"enemy-frozen", "sprites/enemy-frozen-spr.txt"},
      // Heavy enemies walk in their own colours.
      {"enemy-heavy-left", "sprites/enemy-heavy-left-spr.txt"},
      {"enemy-heavy-right", "sprites/enemy-heavy-right-spr.txt"},
      {"bullet-player-right", "sprites/bullet-player-right-spr.txt"},
      {"bullet-player-left", "sprites/bullet-player-left-spr.txt"},
      {"bullet-enemy-right", "sprites/bullet-enemy-right-spr.txt"},
      {"bullet-enemy-left", "sprites/bullet-enemy-left-spr.txt"},
      {"floor", "sprites/floor-spr.txt"},
      {"wall-left", "sprites/wall-left-spr.txt"},
      {"wall-right", "sprites/wall-right-spr.txt"},
      {"ceiling", "sprites/ceiling-spr.txt"},
      {"platform", "sprites/platform-spr.txt"},
      {"chest", "sprites/chest-spr.txt"},
      // The file has the "-spr.txt" ending that all the other sprite
      // files share, so it is loaded under that name.
      {"ice-shard", "sprites/ice-shard-spr.txt"},
      {"ice-freeze-circle", "sprites/ice-circle-spr.txt"},
      {"ice-platform", "sprites/ice-platform-spr.txt"},
      {"ice-wall", "sprites/ice-wall-spr.txt"},
      {"ice-projectile-left", "sprites/ice-projectile-left-spr.txt"},
      {"ice-projectile-right", "sprites/ice-projectile-right-spr.txt"}};
  for (const auto& sprite : SPRITES) resources.loadSprite(sprite[1], sprite[0]);

  resources.loadMusic("sounds/music.wav", "music");

  static const char* const SOUNDS[] = {"fire",         "reload",       "freeze",
                                       "footsteps",    "jump",         "player-death",
                                       "player-hurt",  "enemy-death",  "open-chest"};
  for (const char* sound : SOUNDS) {
    resources.loadSound(std::string("sounds/") + sound + ".wav", sound);
  }
}

}  // namespace gh
