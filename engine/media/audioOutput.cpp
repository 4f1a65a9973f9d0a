#include "engine/media/audioOutput.h"

#include <dlfcn.h>

#include "engine/core/LogManager.h"

namespace mo {

namespace {

enum Probe { UNKNOWN, PRESENT, ABSENT };
Probe probe = UNKNOWN;

// The audio library is the one SFML itself loads; it is reached at run
// time so that the engine does not link it a second time.
bool deviceOpens() {
  void* p_openal = dlopen("libopenal.so.1", RTLD_LAZY | RTLD_LOCAL);
  if (!p_openal) return true;
  using OpenDevice = void* (*)(const char*);
  using CloseDevice = char (*)(void*);
  auto open_device = reinterpret_cast<OpenDevice>(dlsym(p_openal, "alcOpenDevice"));
  auto close_device = reinterpret_cast<CloseDevice>(dlsym(p_openal, "alcCloseDevice"));
  bool opens = true;
  if (open_device && close_device) {
    void* p_device = open_device(nullptr);
    opens = p_device != nullptr;
    if (p_device) close_device(p_device);
  }
  dlclose(p_openal);
  return opens;
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
