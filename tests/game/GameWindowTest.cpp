// The whole program in a real window: the engine's splash, the title
// screen, a key, the level, Escape, a clean end.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "support/WindowTest.h"

namespace mo {
namespace {

namespace fs = std::filesystem;

/// How many pixels of the picture are green (the splash banner, the player
/// and the ammunition counters; the title has none) or, with cyan, cyan
/// (the title picture).
int pixels(const sf::Image& picture, bool cyan) {
  int count = 0;
  for (unsigned int y = 0; y < picture.getSize().y; y++) {
    for (unsigned int x = 0; x < picture.getSize().x; x++) {
      const sf::Color c = picture.getPixel(x, y);
      if (c.g > 150 && c.r < 100 && (cyan ? c.b > 150 : c.b < 100)) count++;
    }
  }
  return count;
}

/// Polls check every 50 ms, for 15 s at most; whether it came true.
template <typename Check>
bool eventually(Check check) {
  for (int i = 0; i < 300; i++) {
    if (check()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

class GameWindowTest : public test::WindowTest {
 protected:
  void TearDown() override {
    if (pid > 0) {  // a game that did not end by itself
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
    WindowTest::TearDown();
  }
  /// Starts the program in a copy of the game's data folder whose
  /// configuration names the window game_title.
  void startGame() {
    const std::string file = __FILE__;
    const fs::path data = file.substr(0, file.rfind("/tests/")) + "/data";
    game_dir = tempDir() + "/data";
    fs::copy(data, game_dir, fs::copy_options::recursive);
    std::ofstream(game_dir + "/mo-config.txt") << "window_title:" << game_title << ",\n";
    pid = fork();
    if (pid == 0) {
      if (chdir(game_dir.c_str()) != 0) _exit(126);
      setenv("ALSOFT_DRIVERS", "null", 1);
      // Under a sanitizer the GL driver's allocations show up at exit as
      // leaks of an unloaded library that no suppression can name; the
      // headless tests leak-check the game's objects instead.
      const char* p_asan = std::getenv("ASAN_OPTIONS");
      const std::string asan = std::string(p_asan ? p_asan : "") + ":detect_leaks=0";
      setenv("ASAN_OPTIONS", asan.c_str(), 1);
      unsetenv("MORVANE_CONFIG");
      unsetenv("MORVANE_LOG");
      execl(MORVANE_PLATFORMER, MORVANE_PLATFORMER, static_cast<char*>(nullptr));
      _exit(127);
    }
    ASSERT_GT(pid, 0);
  }
  /// Waits for the program to end: its exit status, or -1 when it had to
  /// be stopped.
  int waitForExit() {
    int status = 0;
    const bool ended = eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) return -1;
    pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  const std::string game_title = title() + "Game";
  std::string game_dir;
  pid_t pid = -1;
};

TEST_F(GameWindowTest, SplashThenTitleWhereAKeyStartsTheLevelAndEscapeEndsTheProgramCleanly) {
  if (!xdotool("version")) GTEST_SKIP() << "xdotool is not installed";
  startGame();
  std::string window;
  ASSERT_TRUE(eventually([&] {
    const auto ids = windowsTitled(game_title);
    if (!ids.empty()) window = ids.front();
    return !window.empty();
  })) << "no game window appeared";
  const unsigned long id = std::stoul(window);

  // The splash's green banner plays out by itself (about 3 s): a key would
  // end it, but could also reach the title screen and start the level.
  ASSERT_TRUE(eventually([&] { return pixels(grabWindow(id), false) > 500; }))
      << "the splash screen did not appear";

  // The title screen: a cyan picture without green.
  ASSERT_TRUE(eventually([&] { return pixels(grabWindow(id), true) > 500; }))
      << "the title screen did not appear";
  EXPECT_EQ(pixels(grabWindow(id), false), 0);

  // Keys go to the window under the pointer.
  ASSERT_TRUE(xdotool("mousemove --window " + window + " 500 300"));
  ASSERT_TRUE(xdotool("key space"));
  EXPECT_TRUE(eventually([&] { return pixels(grabWindow(id), false) > 50; }))
      << "the level's first screen did not appear";

  ASSERT_TRUE(xdotool("key Escape"));
  EXPECT_EQ(waitForExit(), 0);
  std::ifstream log(game_dir + "/morvane.log");
  std::string line, last;
  while (std::getline(log, line)) last = line;
  EXPECT_NE(last.find("** Game engine stopped **"), std::string::npos) << last;
}

}  // namespace
}  // namespace mo
