#include "engine/media/Sound.h"

#include <utility>

#include "engine/core/LogManager.h"
#include "engine/media/audioOutput.h"

namespace mo {

Sound::Sound() : label("[Undefined]") {}

Sound::~Sound() {
  if (p_sound) p_sound->resetBuffer();
}

int Sound::loadSound(std::string filename) {
  // Asked before the buffer takes the device, which the probe needs free.
  // Without a device no audio object is made at all (the audio library
  // misbehaves without one); the file is only checked.
  if (!audioOutputAvailable()) return sf::InputSoundFile().openFromFile(filename) ? 0 : -1;
  auto p_new_buffer = std::make_unique<sf::SoundBuffer>();
  if (!p_new_buffer->loadFromFile(filename)) return -1;
  if (p_sound) {
    p_sound->resetBuffer();
  } else {
    p_sound = std::make_unique<sf::Sound>();
  }
  p_sound_buffer = std::move(p_new_buffer);
  p_sound->setBuffer(*p_sound_buffer);
  return 0;
}

void Sound::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Sound::play(): Playing sound.");
  if (!p_sound || !audioOutputAvailable()) return;
  p_sound->play();
  p_sound->setLoop(loop);
}

void Sound::stop() {
  if (p_sound) p_sound->stop();
}

void Sound::setLabel(std::string new_label) { label = std::move(new_label); }

}  // namespace mo
