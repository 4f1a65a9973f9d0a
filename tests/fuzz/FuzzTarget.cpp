#include "fuzz/FuzzTarget.h"

#include <cstdlib>

#include "engine/Morvane.h"
#include "support/resetEngine.h"

namespace mo {
namespace fuzz {

std::vector<Target>& targets() {
  static std::vector<Target> all;
  return all;
}

bool registerTarget(const char* name, Entry entry) {
  targets().push_back({name, entry});
  return true;
}

void freshEngine() {
  test::resetEngine();
  // The log is written as in a real run, only never kept: its formatting
  // of hostile text is part of what is under test.
  setenv("MORVANE_LOG", "/dev/null", 1);
  setenv("MORVANE_CONFIG", "/nonexistent/mo-config.txt", 1);
  LogManager::getInstance().startUp();
}

}  // namespace fuzz
}  // namespace mo
