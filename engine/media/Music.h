#ifndef MO_MUSIC_H
#define MO_MUSIC_H

#include <SFML/Audio.hpp>

#include <memory>
#include <string>

namespace mo {

/// A piece of music streamed from its file by SFML while it plays, found
/// by its label. Not copyable.
class Music {
 public:
  /// No file, labelled "[Undefined]".
  Music();
  Music(const Music&) = delete;
  Music& operator=(const Music&) = delete;

  /// Opens the file for streaming: 0, or -1 when it cannot be opened as
  /// music or holds fewer samples than its header announces (logged).
  int loadMusic(std::string filename);

  /// Starts the music (logged at level 5); loop makes it start over at
  /// its end until stopped.
  void play(bool loop);

  /// Stops the music (logged at level 5).
  void stop();

  /// Pauses the music (logged at level 5); play() goes on from there.
  void pause();

  /// The name the music is found under.
  void setLabel(std::string new_label);
  std::string getLabel() const { return label; }

 private:
  // Made by the first successful open, so that slots never loaded do not
  // open the audio device.
  std::unique_ptr<sf::Music> p_music;
  std::string label;
};

}  // namespace mo

#endif
