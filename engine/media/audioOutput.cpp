#include "engine/media/audioOutput.h"

#include "engine/core/LogManager.h"
#include "engine/core/platform.h"

namespace mo {

namespace {

enum Probe { UNKNOWN, PRESENT, ABSENT };
Probe probe = UNKNOWN;

// The audio library is the one SFML itself loads; it is reached at run
// time so that the engine does not link it a second time.
bool deviceOpens() {
  return platform::defaultHandleOpens<char>("libopenal.so.1", "alcOpenDevice", "alcCloseDevice");
}

}  // namespace

bool audioOutputAvailable() {
  if (probe == UNKNOWN) {
    probe = deviceOpens() ? PRESENT : ABSENT;
    if (probe == ABSENT) {
      LogManager::getInstance().writeLog(
          "audioOutputAvailable(): Warning! No audio output device; sounds and music stay "
          "silent.");
    }
  }
  return probe == PRESENT;
}

void resetAudioOutputProbe() { probe = UNKNOWN; }

}  // namespace mo
