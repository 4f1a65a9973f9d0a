#ifndef MO_EVENT_PATH_H
#define MO_EVENT_PATH_H

#include "engine/core/Event.h"
#include "engine/net/Path.h"

namespace mo {

/// Result of a path search: no path exists, or the search cannot run.
const int PATH_NONE = 0;
/// Result of a path search: not finished yet.
const int PATH_SEARCHING = 1;
/// Result of a path search: the goal has been reached.
const int PATH_FOUND = 2;

/// "mo-path": the end of a path search, sent by the PathManager straight
/// to the object the search was for (no registration needed). It carries
/// the result and, for PATH_FOUND, the path from the object's cell to
/// the goal.
class EventPath : public Event {
 public:
  /// Result PATH_NONE, empty path.
  EventPath();
  EventPath(int init_result, Path init_path);

  /// PATH_NONE or PATH_FOUND (PATH_SEARCHING is never sent).
  int getResult() const { return result; }
  void setResult(int new_result) { result = new_result; }
  /// The path found, index 0; empty unless the result is PATH_FOUND.
  Path getPath() const { return path; }
  void setPath(Path new_path);

 private:
  int result;
  Path path;
};

}  // namespace mo

#endif
