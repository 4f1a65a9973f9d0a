// Fuzz target: a replay file's text read by the ReplayReader, then every
// frame it names looked up and its recorded settings applied.
#include <cstdlib>

#include "engine/core/Config.h"
#include "engine/core/ReplayReader.h"
#include "fuzz/FuzzTarget.h"

MO_FUZZ_TARGET(replayText) {
  mo::fuzz::freshEngine();
  mo::ReplayReader reader;
  const bool usable = reader.parse(mo::fuzz::text(p_data, size));
  if (usable != reader.isUsable()) abort();
  if (!usable) return;
  int events = 0;
  for (int n = 0; n <= reader.getEndFrame() && n < 100000; n++) {
    if (const mo::ReplayReader::Frame* p_frame = reader.frame(n)) {
      events += static_cast<int>(p_frame->events.size() + p_frame->held.size());
    }
  }
  if (events < 0) abort();
  mo::Config::getInstance().applyPlayConfig(reader.getConfig());
}
