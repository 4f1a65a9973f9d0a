#include "engine/media/Music.h"

#include <utility>

#include "engine/core/LogManager.h"
#include "engine/media/audioOutput.h"

namespace mo {

Music::Music() : label("[Undefined]") {}

int Music::loadMusic(std::string filename) {
  // Asked before the stream takes the device, which the probe needs free.
  // Without a device no audio object is made at all (the audio library
  // misbehaves without one); the file is only checked.
  if (!audioOutputAvailable()) return sf::InputSoundFile().openFromFile(filename) ? 0 : -1;
  auto p_new_music = std::make_unique<sf::Music>();
  if (!p_new_music->openFromFile(filename)) return -1;
  p_music = std::move(p_new_music);
  return 0;
}

void Music::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Music::play(): Playing music.");
  if (!p_music || !audioOutputAvailable()) return;
  p_music->play();
  p_music->setLoop(loop);
}

void Music::stop() {
  LogManager::getInstance().writeLog(5, "Music::stop(): Stopping music.");
  if (p_music) p_music->stop();
}

void Music::pause() {
  LogManager::getInstance().writeLog(5, "Music::pause(): Pausing music.");
  if (p_music) p_music->pause();
}

void Music::setLabel(std::string new_label) { label = std::move(new_label); }

}  // namespace mo
