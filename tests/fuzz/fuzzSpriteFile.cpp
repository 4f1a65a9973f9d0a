// Fuzz target: a sprite file read by the ResourceManager.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/media/ResourceManager.h"
#include "fuzz/FuzzTarget.h"

namespace {

/// A file of this process's own holding the bytes; its path.
std::string writeScratch(const std::uint8_t* p_data, std::size_t size) {
  const std::string path = "/tmp/morvane-fuzz-sprite-" + std::to_string(getpid()) + ".txt";
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(p_data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace

MO_FUZZ_TARGET(spriteFile) {
  mo::fuzz::freshEngine();
  mo::ResourceManager& resources = mo::ResourceManager::getInstance();
  resources.startUp();
  const std::string path = writeScratch(p_data, size);
  // A sprite loaded before must survive whatever the file holds, and a
  // file that loads must be found under its label.
  if (resources.loadSprite(path, "kept") != 0) {
    const bool loaded = resources.loadSprite(path, "fuzz") == 0;
    if (loaded && resources.getSprite("fuzz") == nullptr) abort();
  }
  unlink(path.c_str());
  resources.shutDown();
}
