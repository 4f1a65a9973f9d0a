#include "support/playSession.h"

#include <gtest/gtest.h>

#include <fstream>

#include "engine/core/GameManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace test {

std::vector<std::string> playSession(const std::string& dir, const std::string& name,
                                     const std::string& items,
                                     const std::function<void()>& set_up) {
  const std::string base = dir + "/" + name;
  std::ofstream(base + ".cfg") << "headless:true,\n" << items << "\n";
  std::vector<std::string> log;
  {
    ScopedEnv config("MORVANE_CONFIG", base + ".cfg");
    ScopedEnv log_file("MORVANE_LOG", base + ".log");
    GameManager& game_manager = GameManager::getInstance();
    EXPECT_EQ(game_manager.startUp(), 0);
    set_up();
    game_manager.run();
    game_manager.shutDown();
  }
  // "hh:mm:ss " goes; the frame number stays.
  for (const std::string& line : readLines(base + ".log")) {
    log.push_back(line.size() > 9 ? line.substr(9) : line);
  }
  resetEngine();
  return log;
}

std::vector<std::string> linesWith(const std::vector<std::string>& log, const std::string& text) {
  std::vector<std::string> found;
  for (const std::string& line : log) {
    if (line.find(text) != std::string::npos) found.push_back(line);
  }
  return found;
}

}  // namespace test
}  // namespace mo
