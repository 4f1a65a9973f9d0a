#include "game/GameStart.h"

#include "engine/core/EventKeyboard.h"
#include "engine/core/GameManager.h"
#include "engine/media/Music.h"
#include "engine/media/ResourceManager.h"
#include "game/MapLoader.h"

namespace gh {

GameStart::GameStart() {
  setType("GameStart");
  setSprite("game-start");
  setLocation(mo::CENTER_CENTER);
  registerInterest(mo::KEYBOARD_EVENT);
  // The title exists once per run, so the music starts once and loops.
  mo::Music* p_music = mo::ResourceManager::getInstance().getMusic("music");
  if (p_music) p_music->play(true);
}

GameStart::~GameStart() = default;

int GameStart::eventHandler(const mo::Event* p_e) {
  if (p_e->getType() != mo::KEYBOARD_EVENT) return 0;
  const auto* p_key = static_cast<const mo::EventKeyboard*>(p_e);
  if (p_key->getKey() == mo::ESCAPE) {
    mo::GameManager::getInstance().setGameOver(true);
  } else {
    startGame();
  }
  return 1;
}

int GameStart::draw() { return Object::draw(); }

void GameStart::startGame() {
  setActive(false);
  const std::vector<std::string> lines = loadMapLines("map-layout.txt");
  populateWorld(lines);
}

}  // namespace gh
