#include "engine/core/Recorder.h"

#include <algorithm>
#include <cstdio>

#include "engine/core/LogManager.h"
#include "engine/core/ReplayReader.h"

namespace mo {

Recorder::Recorder() : wrote(false) {}

int Recorder::open(const std::string& new_path) {
  if (file.is_open()) file.close();
  path = new_path;
  frame_events.clear();
  held.clear();
  file.open(path, std::ios::out | std::ios::trunc);
  if (!file) {
    LogManager::getInstance().writeLog("Recorder::open(): Error! Cannot create replay file '%s'.",
                                       path.c_str());
    return -1;
  }
  return 0;
}

void Recorder::writeHeader(const std::string& engine_version, int seed, const std::string& config) {
  if (!file.is_open()) return;
  file << ReplayReader::FIRST_LINE << "\n"
       << "engine " << engine_version << "\n"
       << "seed " << seed << "\n"
       << "config " << config << "\n";
  file.flush();
  checkWritten();
}

void Recorder::noteEvent(const ReplayEvent& event) {
  if (file.is_open()) frame_events.push_back(event);
}

void Recorder::endFrame(int frame, int steps, bool check, std::uint32_t checksum) {
  if (!file.is_open()) return;
  wrote = false;
  const bool closed = !frame_events.empty() && frame_events.back().getKind() == ReplayEvent::CLOSE;
  // What is held is sent after everything else in a frame, every frame;
  // only a change of it is written. A frame that ends in a close request
  // sends nothing held, and what was held stays so.
  auto first_held = frame_events.end();
  if (!closed) {
    while (first_held != frame_events.begin() && (first_held - 1)->isHeld()) first_held--;
  }
  for (auto it = frame_events.begin(); it != first_held; ++it) writeLine(frame, it->toText());
  const std::vector<ReplayEvent> now_held(first_held, frame_events.end());
  if (!closed && now_held != held) {
    std::string line = "held";
    for (std::size_t i = 0; i < now_held.size(); i++) {
      line += (i == 0 ? " " : " ; ") + now_held[i].toText();
    }
    writeLine(frame, line);
    held = now_held;
  }
  frame_events.clear();
  if (steps > 0) writeLine(frame, "path " + std::to_string(steps));
  if (check) {
    char text[16];
    std::snprintf(text, sizeof(text), "%08x", static_cast<unsigned int>(checksum));
    writeLine(frame, std::string("check ") + text);
  }
  if (wrote) {
    file.flush();
    checkWritten();
  }
}

void Recorder::close(int end_frame) {
  if (!file.is_open()) return;
  writeLine(end_frame, "end");
  file.flush();
  checkWritten();
  if (file.is_open()) file.close();
}

void Recorder::writeLine(int frame, const std::string& text) {
  file << frame << " " << text << "\n";
  wrote = true;
}

void Recorder::checkWritten() {
  if (file) return;
  LogManager::getInstance().writeLog(
      "Recorder: Error! Cannot write to replay file '%s'; recording stopped.", path.c_str());
  file.close();
}

}  // namespace mo
