// Records the shipped replays by playing the level through the real game
// loop with a scripted player, headless and on a clock that never waits:
//   makedemo win demo.replay          a game won at the chest
//   makedemo lose demo-defeat.replay  a game lost to the enemies
// Run from data/ (make demo-replays does). Exits with 1 when the player
// did not reach the screen it was after; the file is then left as it is.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Morvane.h"
#include "game/setUpGame.h"
#include "tools/makedemo/PlainPlayer.h"

namespace {

// Sleeps are instant and work takes no time: frames run as fast as the
// machine allows while the recording keeps the game's frame time.
class InstantTime : public mo::platform::TimeSource {
 public:
  long long nowMicroseconds() override { return now_us; }
  void sleepMilliseconds(int ms) override { now_us += ms > 0 ? ms * 1000LL : 0; }

 private:
  long long now_us = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::string(argv[1]) != "win" && std::string(argv[1]) != "lose")) {
    std::fprintf(stderr, "usage: makedemo win|lose FILE  (run from data/)\n");
    return 2;
  }
  const bool win = std::string(argv[1]) == "win";
  const std::string file = argv[2];
  const std::string config = "makedemo.cfg";
  std::ofstream(config) << "headless:true,random_seed:20261207,record_file:" << file << ".new,\n";
  setenv("MORVANE_CONFIG", config.c_str(), 1);
  setenv("MORVANE_LOG", "makedemo.log", 1);

  InstantTime instant;
  mo::platform::setTimeSource(&instant);
  mo::GameManager& game_manager = mo::GameManager::getInstance();
  gh::PlainPlayer player(win);
  bool ok = false;
  if (game_manager.startUp() == 0) {
    mo::InputManager::getInstance().setInputSource(&player);
    // Gives up after an hour of play.
    mo::ReplayManager::getInstance().setFrameListener([](int frame) {
      if (frame > 30 * 60 * 60) mo::GameManager::getInstance().setGameOver(true);
    });
    gh::setUpGame();
    game_manager.run();
    const std::string wanted = win ? "game-over-victory" : "game-over";
    ok = player.getScreens() == std::vector<std::string>{wanted};
  }
  game_manager.shutDown();
  mo::platform::setTimeSource(nullptr);
  std::remove(config.c_str());
  const std::string recorded = file + ".new";
  if (!ok) {
    const std::string reached = player.getScreens().empty() ? "" : player.getScreens().front();
    std::fprintf(stderr, "makedemo: the scripted player did not reach the %s screen (it reached "
                 "'%s'); %s is left as it was, the attempt is in %s and makedemo.log.\n",
                 win ? "victory" : "defeat", reached.c_str(), file.c_str(), recorded.c_str());
    return 1;
  }
  std::rename(recorded.c_str(), file.c_str());
  std::remove("makedemo.log");
  std::printf("makedemo: recorded %s (%s)\n", file.c_str(), player.getScreens().front().c_str());
  return 0;
}
