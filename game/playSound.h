#ifndef GH_PLAY_SOUND_H
#define GH_PLAY_SOUND_H

namespace gh {

/// Plays once the sound loaded under label; nothing when no sound has
/// that label (the resource manager logs the miss).
void playSound(const char* label);

}  // namespace gh

#endif
