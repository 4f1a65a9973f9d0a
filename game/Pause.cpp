#include "game/Pause.h"

#include "engine/core/GameManager.h"
#include "engine/media/Music.h"
#include "engine/media/ResourceManager.h"

namespace gh {

namespace {

void pauseMusic(bool paused) {
  mo::Music* p_music = mo::ResourceManager::getInstance().getMusic("music");
  if (!p_music) return;
  if (paused) {
    p_music->pause();
  } else {
    p_music->play(true);
  }
}

}  // namespace

Pause::Pause() {
  setType("Pause");
  setLocation(mo::CENTER_CENTER);
  setViewString("PAUSED");
  setDrawValue(false);
  setColor(mo::YELLOW);
  setVisible(false);
}

Pause::~Pause() {
  mo::GameManager& game = mo::GameManager::getInstance();
  if (!game.isPaused()) return;
  // Nothing else could resume the game once this is gone.
  game.setPaused(false);
  // At the end of the program the music is about to stop for good.
  if (!game.getGameOver()) pauseMusic(false);
}

void Pause::toggle() { setPaused(!mo::GameManager::getInstance().isPaused()); }

void Pause::setPaused(bool paused) {
  mo::GameManager& game = mo::GameManager::getInstance();
  // Playing music that plays already would start it over.
  if (paused == game.isPaused()) return;
  game.setPaused(paused);
  pauseMusic(paused);
  setVisible(paused);
}

}  // namespace gh
