#include "engine/media/Sound.h"

#include <utility>

#include "engine/core/LogManager.h"

namespace mo {

Sound::Sound() : label("[Undefined]") {}

Sound::~Sound() { sound.resetBuffer(); }

int Sound::loadSound(std::string filename) {
  if (!sound_buffer.loadFromFile(filename)) return -1;
  sound.setBuffer(sound_buffer);
  return 0;
}

void Sound::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Sound::play(): Playing sound.");
  sound.play();
  sound.setLoop(loop);
}

void Sound::stop() { sound.stop(); }

void Sound::setLabel(std::string new_label) { label = std::move(new_label); }

}  // namespace mo
