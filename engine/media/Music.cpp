#include "engine/media/Music.h"

#include <utility>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/audioOutput.h"

namespace mo {

Music::Music() : label("[Undefined]") {}

int Music::loadMusic(std::string filename) {
  // Opening reads only the header, so a file cut short would open and
  // fail mid-game; its last samples are read now instead.
  sf::InputSoundFile file;
  if (!file.openFromFile(filename)) return -1;
  const sf::Uint64 channels = file.getChannelCount();
  if (file.getSampleCount() >= channels && channels > 0) {
    std::vector<sf::Int16> last(static_cast<std::size_t>(channels));
    file.seek(file.getSampleCount() - channels);
    if (file.read(last.data(), channels) != channels) {
      LogManager::getInstance().writeLog(
          "Music::loadMusic(): Error! '%s' is cut short: it holds fewer samples than it announces.",
          filename.c_str());
      return -1;
    }
  }
  // Asked before the stream takes the device, which the probe needs free.
  // Without a device no audio object is made at all (the audio library
  // misbehaves without one); the file is only checked.
  if (!audioOutputAvailable()) return 0;
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
