#include "engine/media/Music.h"

#include <utility>

#include "engine/core/LogManager.h"

namespace mo {

Music::Music() : label("[Undefined]") {}

int Music::loadMusic(std::string filename) { return music.openFromFile(filename) ? 0 : -1; }

void Music::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Music::play(): Playing music.");
  music.play();
  music.setLoop(loop);
}

void Music::stop() {
  LogManager::getInstance().writeLog(5, "Music::stop(): Stopping music.");
  music.stop();
}

void Music::setLabel(std::string new_label) { label = std::move(new_label); }

}  // namespace mo
