#ifndef MO_RESOURCE_MANAGER_H
#define MO_RESOURCE_MANAGER_H

#include <string>

#include "engine/core/Manager.h"
#include "engine/media/Music.h"
#include "engine/media/Sound.h"
#include "engine/media/Sprite.h"

namespace mo {

/// The most sprites the ResourceManager holds.
const int MAX_SPRITES = 1000;
/// The most sound effects the ResourceManager holds.
const int MAX_SOUNDS = 100;
/// The most music pieces the ResourceManager holds.
const int MAX_MUSICS = 50;

/// Loads and owns the game's sprites, sound effects and music, each kept
/// under a label chosen by the game and found again by that label (the
/// first one with it). Loading needs the manager started; lookups do not.
/// Nothing is unloaded one by one: sprites go at shutDown(), sounds and
/// music stay as long as the manager.
///
///   mo::ResourceManager& rm = mo::ResourceManager::getInstance();
///   if (rm.loadSprite("sprites/ship-spr.txt", "ship") != 0) ...  // the log says why
///   p_object->setSprite("ship");
///   if (mo::Sound* p_boom = rm.getSound("boom")) p_boom->play(false);
class ResourceManager : public Manager {
 public:
  /// The single instance.
  static ResourceManager& getInstance();
  ~ResourceManager() override;

  /// Empties the tables and marks the manager started: 0. A second call
  /// logs "Already started." and returns 0.
  int startUp() override;

  /// Deletes every sprite, stops every loaded sound and music piece and
  /// marks the manager stopped. The sound and music tables are kept until
  /// the next startUp().
  void shutDown() override;

  /// Reads a sprite file and keeps the sprite under label: 0, or -1 with
  /// the reason in the log when the manager is not started, 1000 sprites
  /// are loaded, or the file cannot be opened or is malformed (nothing is
  /// kept then). The file holds a header ("frames", "width", "height",
  /// optional "color", "transparency", "slowdown"), the frames' rows and a
  /// footer ("version"), in LF or CR LF lines. "frames", "width" and
  /// "height" must be at least 1 ("width" and "height" at most the
  /// largest int); memory follows the lines the file holds, not what its
  /// header claims. Bytes of the file that are not printable ASCII are
  /// written to the log as \xNN.
  int loadSprite(std::string filename, std::string label);

  /// The first sprite labelled label, or nullptr (with a warning in the
  /// log) when there is none. The sprite stays the manager's.
  Sprite* getSprite(std::string label) const;

  /// Loads a sound effect file into the next free sound under label (an
  /// empty label is accepted): 0, or -1 (logged) when the manager is not
  /// started, 100 sounds are loaded or the file cannot be read.
  int loadSound(std::string filename, std::string label);

  /// The first sound labelled label, or nullptr (with a warning).
  Sound* getSound(std::string label);

  /// Opens a music file for streaming in the next free music slot under
  /// label: 0, or -1 (logged) when the manager is not started, 50 pieces
  /// are loaded, the label is empty or the file cannot be opened.
  int loadMusic(std::string filename, std::string label);

  /// The first music piece labelled label, or nullptr (with a warning).
  Music* getMusic(std::string label);

  /// Shuts down when started and returns to the just-constructed state:
  /// no sprites, sounds or music, every label "[Undefined]"; for test
  /// fixtures.
  void reset();

 private:
  ResourceManager();
  void deleteSprites();

  Sprite* p_sprite[MAX_SPRITES];
  int sprite_count;
  Sound sound[MAX_SOUNDS];
  int sound_count;
  Music music[MAX_MUSICS];
  int music_count;
};

}  // namespace mo

#endif
