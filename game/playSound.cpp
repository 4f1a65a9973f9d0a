#include "game/playSound.h"

#include "engine/media/ResourceManager.h"
#include "engine/media/Sound.h"

namespace gh {

void playSound(const char* label) {
  if (mo::Sound* p_sound = mo::ResourceManager::getInstance().getSound(label)) p_sound->play(false);
}

}  // namespace gh
