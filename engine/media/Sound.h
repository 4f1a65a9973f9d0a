#ifndef MO_SOUND_H
#define MO_SOUND_H

#include <SFML/Audio.hpp>

#include <memory>
#include <string>

namespace mo {

/// A sound effect: an SFML sound buffer held in memory and the SFML sound
/// that plays it, found by its label. Not copyable: the sound points at
/// its own buffer.
class Sound {
 public:
  /// No sound data, labelled "[Undefined]".
  Sound();
  /// Detaches the sound from its buffer before both go.
  ~Sound();
  Sound(const Sound&) = delete;
  Sound& operator=(const Sound&) = delete;

  /// Loads the whole file into the buffer and points the sound at it: 0,
  /// or -1 when the file cannot be read as sound (a sound loaded before
  /// stays).
  int loadSound(std::string filename);

  /// Starts the sound from the beginning (logged at level 5); loop makes
  /// it repeat until stopped.
  void play(bool loop);

  /// Stops the sound.
  void stop();

  /// The name the sound is found under.
  void setLabel(std::string new_label);
  std::string getLabel() const { return label; }

 private:
  // Made by the first successful load, so that slots never loaded do not
  // open the audio device. The sound is declared last: it goes first.
  std::unique_ptr<sf::SoundBuffer> p_sound_buffer;
  std::unique_ptr<sf::Sound> p_sound;
  std::string label;
};

}  // namespace mo

#endif
