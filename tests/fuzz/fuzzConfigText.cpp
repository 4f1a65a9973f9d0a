// Fuzz target: configuration text, its printing, and the key:value matcher.
#include "engine/core/Config.h"
#include "engine/core/utility.h"
#include "fuzz/FuzzTarget.h"

MO_FUZZ_TARGET(configText) {
  mo::fuzz::freshEngine();
  const std::string text = mo::fuzz::text(p_data, size);
  mo::Config::getInstance().loadConfig(text);
  mo::Config::getInstance().printConfig();
  for (const char* key : {"window_title", "frame_time", "", ":", ","}) mo::match(text, key);
  mo::matchKeys(text, {"a", "b", "frame_time"});
}
