// The whole program in a real window: the engine's splash, the title
// screen, a key, the level, Escape, a clean end; the shipped runs
// replayed in it; keys and clicks at random.

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/WindowTest.h"

namespace mo {
namespace {

namespace fs = std::filesystem;

// The sanitizers make the program several times slower: its long runs
// are then bounded more loosely, and the random session is shorter.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool SANITIZED = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool SANITIZED = true;
#else
constexpr bool SANITIZED = false;
#endif
#else
constexpr bool SANITIZED = false;
#endif

/// Seconds a whole replay in a window may take (it runs as fast as the
/// window draws, about 100 frames a second without sanitizers).
constexpr int REPLAY_SECONDS = SANITIZED ? 100 : 60;

/// How many pixels of the picture are of the colour: a channel above 150
/// where its letter is in rgb, below 100 where it is not ("g" green, "gb"
/// cyan, "rg" yellow, "r" red).
int colourCount(const sf::Image& picture, const std::string& rgb) {
  const auto channel = [&rgb](sf::Uint8 value, char letter) {
    return rgb.find(letter) != std::string::npos ? value > 150 : value < 100;
  };
  // The pixels read in place: a window's picture is polled often, also
  // in the slow sanitizer build.
  const sf::Uint8* p_pixel = picture.getPixelsPtr();
  const std::size_t size = static_cast<std::size_t>(picture.getSize().x) * picture.getSize().y;
  int count = 0;
  for (std::size_t i = 0; i < size; i++, p_pixel += 4) {
    if (channel(p_pixel[0], 'r') && channel(p_pixel[1], 'g') && channel(p_pixel[2], 'b')) count++;
  }
  return count;
}

/// Polls check every 50 ms, for seconds at most; whether it came true.
template <typename Check>
bool eventually(Check check, int seconds = 15) {
  for (int i = 0; i < seconds * 20; i++) {
    if (check()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

/// A window test of the real program.
class RealProgramTest : public test::WindowTest {
 protected:
  /// The X id of the first window titled name, once there is one (""
  /// when none came within 15 s).
  static std::string windowOnceThere(const std::string& name) {
    std::string id;
    eventually([&] {
      const std::vector<std::string> ids = windowsTitled(name);
      if (!ids.empty()) id = ids.front();
      return !id.empty();
    });
    return id;
  }
};

class GameWindowTest : public RealProgramTest {
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
  const std::string window = windowOnceThere(game_title);
  ASSERT_FALSE(window.empty()) << "no game window appeared";
  const unsigned long id = std::stoul(window);

  // The splash's green banner plays out by itself (about 3 s): a key would
  // end it, but could also reach the title screen and start the level.
  ASSERT_TRUE(eventually([&] { return colourCount(grabWindow(id), "g") > 500; }))
      << "the splash screen did not appear";

  // The title screen: a cyan picture without green.
  ASSERT_TRUE(eventually([&] { return colourCount(grabWindow(id), "gb") > 500; }))
      << "the title screen did not appear";
  EXPECT_EQ(colourCount(grabWindow(id), "g"), 0);

  // Keys go to the window under the pointer.
  ASSERT_TRUE(xdotool("mousemove --window " + window + " 500 300"));
  ASSERT_TRUE(xdotool("key space"));
  EXPECT_TRUE(eventually([&] { return colourCount(grabWindow(id), "g") > 50; }))
      << "the level's first screen did not appear";

  // Resized (whole on the screen, for grabWindow): the reticle, a red
  // '+', is drawn in the cell that starts at the pointer (about 15 x 37
  // pixels at this size) and nowhere else near it.
  ASSERT_TRUE(xdotool("windowmove --sync " + window + " 0 0 windowsize --sync " + window +
                      " 1280 900 mousemove --window " + window + " 333 444"));
  EXPECT_TRUE(eventually([&] {
    const sf::Image picture = grabWindow(id);
    int near = 0;
    for (int i = 0; picture.getSize().y == 900 && i < 80 * 80; i++) {
      const int dx = i % 80 - 40, dy = i / 80 - 40;
      const sf::Color c =
          picture.getPixel(static_cast<unsigned>(333 + dx), static_cast<unsigned>(444 + dy));
      if (c.r > 150 && c.g < 100) near += dx > -6 && dx < 21 && dy > -6 && dy < 44 ? 1 : -99;
    }
    return near > 5;
  })) << "the reticle is not under the pointer";

  ASSERT_TRUE(xdotool("key Escape"));
  EXPECT_EQ(waitForExit(), 0);
  std::ifstream log(game_dir + "/morvane.log");
  std::string line, last;
  while (std::getline(log, line)) last = line;
  EXPECT_NE(last.find("** Game engine stopped **"), std::string::npos) << last;
}

/// The program started in a copy of the game's data folder: its exit
/// status and standard error. The shared server is held, as a window the
/// program opens would take the keyboard of other window tests.
class ProgramTest : public RealProgramTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (IsSkipped()) return;
    const std::string file = __FILE__;
    game_dir = tempDir() + "/data";
    std::filesystem::copy(file.substr(0, file.rfind("/tests/")) + "/data", game_dir,
                          std::filesystem::copy_options::recursive);
  }
  /// Starts the program with the configuration items (none: the folder's
  /// configuration stays as it is) and environment (an empty value unsets
  /// the variable); its standard error goes to a file.
  pid_t start(const std::string& items, const std::vector<std::pair<std::string, std::string>>& env,
              bool configure = true) {
    if (configure) {
      std::ofstream(game_dir + "/mo-config.txt")
          << "window_title:" << title << "," << items << "\n";
    }
    const pid_t pid = fork();
    if (pid == 0) {
      const int err = open(errPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (err < 0 || dup2(err, 2) < 0 || chdir(game_dir.c_str()) != 0) _exit(126);
      setenv("ALSOFT_DRIVERS", "null", 1);
      const char* p_asan = std::getenv("ASAN_OPTIONS");
      setenv("ASAN_OPTIONS", (std::string(p_asan ? p_asan : "") + ":detect_leaks=0").c_str(), 1);
      unsetenv("MORVANE_CONFIG");
      unsetenv("MORVANE_LOG");
      for (const auto& [name, value] : env) {
        if (value.empty() && name != "MORVANE_LOG") {
          unsetenv(name.c_str());
        } else {
          setenv(name.c_str(), value.c_str(), 1);
        }
      }
      execl(MORVANE_PLATFORMER, MORVANE_PLATFORMER, static_cast<char*>(nullptr));
      _exit(127);
    }
    return pid;
  }
  /// The exit status of the program, or -1 when it was ended by a signal
  /// or did not end within 15 s (it is then killed).
  static int exitStatus(pid_t pid) {
    int status = 0;
    if (!eventually([&] { return waitpid(pid, &status, WNOHANG) == pid; })) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string errPath() const { return tempDir() + "/stderr.txt"; }
  std::string logFile() const { return game_dir + "/morvane.log"; }
  /// Whether the log holds text.
  bool logged(const std::string& text) const {
    return test::readFile(logFile()).find(text) != std::string::npos;
  }
  /// Sends Escape to the window until the program ends (the end screens
  /// take no keys and pass by themselves); its exit status, or -1 when it
  /// did not end within 20 tries.
  int escape(pid_t pid, const std::string& window) {
    int status = 0;
    for (int i = 0; i < 20; i++) {
      xdotool("mousemove --window " + window + " 400 300 key Escape");
      for (int j = 0; j < 20; j++) {
        if (waitpid(pid, &status, WNOHANG) == pid)
          return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
  }
  /// Replays the shipped data/file in the window as fast as it draws,
  /// up to two seconds before the Escape that ends it at the title, where
  /// the player takes over on the end screen. On the way: the level in
  /// play (the HP in red, the magazine in green and the ice energy in
  /// cyan), then the end screen, mostly of colour (see colourCount()) and
  /// without the HUD's green, then by itself the title again (cyan without
  /// green); there Escape ends the program with status 0 and the log holds
  /// the banners and every world check matched.
  void replayToTheTitle(const std::string& file, const std::string& colour) {
    if (!xdotool("version")) GTEST_SKIP() << "xdotool is not installed";
    // The end screens last 120 frames and the recorded player presses
    // Escape within 10 frames of the title's return: 60 frames before
    // that Escape the end screen shows, and stays for a while at the
    // recorded frame rate once the player has taken over.
    std::string cut;
    int checks = 0;
    const std::vector<std::string> lines = test::readLines(game_dir + "/" + file);
    int end = 0;
    for (const std::string& line : lines) {
      if (line.find(" key pressed ESCAPE") != std::string::npos) end = std::stoi(line) - 60;
    }
    for (const std::string& line : lines) {
      if (std::isdigit(static_cast<unsigned char>(line[0])) && std::stoi(line) >= end) break;
      if (line.find(" check ") != std::string::npos) checks++;
      cut += line + "\n";
    }
    cut += std::to_string(end) + " end\n";
    std::ofstream(game_dir + "/to-title.replay") << cut;
    const char* p_display = std::getenv("DISPLAY");
    const pid_t pid =
        start("frame_time:0,replay_then_play:true,",
              {{"DISPLAY", p_display ? p_display : ""}, {"MORVANE_REPLAY", "to-title.replay"}});
    const std::string window = windowOnceThere(title);
    ASSERT_FALSE(window.empty()) << "no game window appeared";
    const unsigned long id = std::stoul(window);
    EXPECT_TRUE(eventually(
        [&] {
          const sf::Image picture = grabWindow(id);
          return colourCount(picture, "r") > 50 && colourCount(picture, "g") > 50 &&
                 colourCount(picture, "gb") > 50;
        },
        REPLAY_SECONDS))
        << file << ": the level in play did not appear";
    EXPECT_TRUE(eventually(
        [&] {
          const sf::Image picture = grabWindow(id);
          return colourCount(picture, colour) > 2000 && colourCount(picture, "g") == 0;
        },
        REPLAY_SECONDS))
        << file << ": the end screen did not appear";
    EXPECT_TRUE(
        eventually([&] { return logged("; the player has the controls."); }, REPLAY_SECONDS))
        << file << ": the replay did not end";
    EXPECT_TRUE(eventually([&] {
      const sf::Image picture = grabWindow(id);
      return colourCount(picture, "gb") > 500 && colourCount(picture, "g") == 0;
    })) << file
        << ": the title did not come back";
    EXPECT_EQ(escape(pid, window), 0) << file << ": " << test::readFile(errPath());
    const std::vector<std::string> log = test::readLines(logFile());
    ASSERT_FALSE(log.empty());
    EXPECT_TRUE(logged("** Game engine started **"));
    EXPECT_EQ(test::logMessage(log.back()), "** Game engine stopped **");
    EXPECT_TRUE(logged("Replay of 'to-title.replay': " + std::to_string(checks) + " of " +
                       std::to_string(checks) + " world checks matched."))
        << file << ": " << test::readFile(logFile());
  }

  const std::string title = "MorvaneProgramTest" + std::to_string(getpid());
  std::string game_dir;
};

TEST_F(ProgramTest, ShippedWinningRunPlaysInAWindowToTheVictoryScreenAndBackToTheTitle) {
  replayToTheTitle("demo.replay", "rg");
}

TEST_F(ProgramTest, ShippedLosingRunPlaysInAWindowToTheDefeatScreenAndBackToTheTitle) {
  replayToTheTitle("demo-defeat.replay", "r");
}

// Keys and clicks at random (the seed is fixed) on the splash, the title,
// the level and the end screens: the game never stops on its own, and
// Escape then ends it cleanly.
TEST_F(ProgramTest, HalfAMinuteOfRandomKeysAndClicksNeverStopsTheGameAndEscapeEndsIt) {
  if (!xdotool("version")) GTEST_SKIP() << "xdotool is not installed";
  const char* p_display = std::getenv("DISPLAY");
  const pid_t pid = start("", {{"DISPLAY", p_display ? p_display : ""}});
  const std::string window = windowOnceThere(title);
  ASSERT_FALSE(window.empty()) << "no game window appeared";
  const std::string keys[] = {"a",      "d", "space", "Tab", "f",   "r",    "e",        "p",
                              "Return", "w", "s",     "1",   "F12", "Left", "BackSpace"};
  std::mt19937 random(1207);
  const auto anywhere = [&] {
    return std::to_string(random() % 1000) + " " + std::to_string(random() % 740);
  };
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(SANITIZED ? 10 : 30);
  int actions = 0;
  while (std::chrono::steady_clock::now() < end) {
    const std::string key = keys[random() % std::size(keys)];
    switch (random() % 4) {
      case 0:
        xdotool("key " + key);
        break;
      case 1:  // held for a moment
        xdotool("keydown " + key + " sleep 0." + std::to_string(random() % 5) + " keyup " + key);
        break;
      case 2:
        xdotool("mousemove --window " + window + " " + anywhere() + " click " +
                (random() % 2 ? "1" : "3"));
        break;
      default:
        xdotool("mousemove --window " + window + " " + anywhere());
        break;
    }
    actions++;
    ASSERT_EQ(waitpid(pid, nullptr, WNOHANG), 0)
        << "the game ended after " << actions << " actions: " << test::readFile(errPath());
  }
  EXPECT_EQ(escape(pid, window), 0) << test::readFile(errPath());
  const std::vector<std::string> log = test::readLines(logFile());
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(test::logMessage(log.back()), "** Game engine stopped **");
}

TEST_F(ProgramTest, AStartThatFailsExitsWithOneAndTellsTheTerminalWhyInOneLine) {
  const char* p_display = std::getenv("DISPLAY");
  const std::string display = p_display ? p_display : "";
  const std::string log_help = "): set MORVANE_LOG to a file that can be written";
  struct Case {
    std::string items;
    std::vector<std::pair<std::string, std::string>> env;
    std::string line;
  };
  const Case cases[] = {
      {"", {{"DISPLAY", ""}}, "cannot open a window: no X display (DISPLAY is not set)"},
      {"font_file:missing.ttf,",
       {{"DISPLAY", display}},
       "cannot load the font 'missing.ttf': start the game in its data folder or set font_file "
       "in the configuration"},
      {"",
       {{"MORVANE_LOG", tempDir()}},
       "cannot open the log file '" + tempDir() + "' (Is a directory" + log_help},
      {"",
       {{"MORVANE_LOG", tempDir() + "/none/x.log"}},
       "cannot open the log file '" + tempDir() + "/none/x.log' (No such file or directory" +
           log_help},
      {"",
       {{"MORVANE_LOG", ""}},
       "cannot open the log file '' (No such file or directory" + log_help},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(exitStatus(start(c.items, c.env)), 1) << c.line;
    const std::vector<std::string> err = test::readLines(errPath());
    ASSERT_FALSE(err.empty()) << c.line;
    EXPECT_EQ(err.back(), "platformer: " + c.line);
    // Once the log is open, everything of the engine's goes there.
    if (c.line.find("no X display") != std::string::npos) {
      EXPECT_EQ(err.size(), 1u) << err.front();
    }
  }
}

// An X server that starts over when its last client leaves (Xvfb without
// -noreset, as xvfb-run starts it) must not make the start-up fail, and a
// SIGTERM ends the game as Escape does.
TEST_F(ProgramTest, StartsEveryTimeOnAServerThatResetsAndEndsCleanlyOnSigterm) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t server = fork();
  if (server == 0) {
    close(fds[0]);
    execlp("Xvfb", "Xvfb", "-displayfd", std::to_string(fds[1]).c_str(), "-screen", "0",
           "640x480x24", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  // The server writes its display number and a line feed; the pipe stays
  // open until it is stopped, as it may write them one by one.
  struct Stop {
    pid_t pid;
    int fd;
    ~Stop() {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
      close(fd);
    }
  } stop{server, fds[0]};
  std::string display = ":";
  char ch = 0;
  while (read(fds[0], &ch, 1) == 1 && ch != '\n') display += ch;
  if (display == ":") GTEST_SKIP() << "Xvfb is not installed or did not start";
  for (int i = 0; i < 20; i++) {
    std::filesystem::remove(logFile());
    const pid_t game = start("", {{"DISPLAY", display}});
    // The signal handlers are set before the banner is written.
    ASSERT_TRUE(eventually([&] {
      return test::readFile(logFile()).find("** Game engine started **") != std::string::npos;
    })) << "start "
        << i;
    kill(game, SIGTERM);
    ASSERT_EQ(exitStatus(game), 0) << "start " << i << ": " << test::readFile(errPath());
    const std::vector<std::string> lines = test::readLines(logFile());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(test::logMessage(lines.back()), "** Game engine stopped **") << "start " << i;
  }
}

// Each data file removed, emptied, cut to half its length and replaced by
// bytes that mean nothing: the log names it and the game plays on without
// it, but for the font, without which the program stops at once.
TEST_F(ProgramTest, ABrokenDataFileIsNamedInTheLogAndOnlyABrokenFontStopsTheProgram) {
  const char* p_display = std::getenv("DISPLAY");
  const std::vector<std::pair<std::string, std::string>> env = {
      {"DISPLAY", p_display ? p_display : ""}};
  const std::string font = "mo-font.ttf", level = "map-layout.txt", config = "mo-config.txt";
  const std::string sprite = "ResourceManager::loadSprite(): Sprite 'game-start' not loaded.";
  const std::string sound = "Cannot load sound from file 'sounds/fire.wav'.";
  const std::string music = "Cannot load music from file 'sounds/music.wav'.";
  const std::string map = "Encountered an error while loading the map \"map-layout.txt\"";
  // The log line of each break (removed, empty, cut short, garbage); none
  // where the game reads what is left as valid.
  const std::vector<std::pair<std::string, std::vector<std::string>>> files = {
      {font, {}},
      {level, {map, "", "", ""}},
      {"sprites/gamestart-spr.txt", {sprite, sprite, sprite, sprite}},
      {"sounds/fire.wav", {sound, sound, sound, sound}},
      {"sounds/music.wav", {music, music, music, music}},
      {config, {"", "", "", ""}}};
  std::mt19937 random(17);
  for (const auto& [file, lines] : files) {
    const std::string path = game_dir + "/" + file;
    const std::string content = test::readFile(path);
    for (int broken = 0; broken < 4; broken++) {
      const std::string what = file + " broken in way " + std::to_string(broken);
      fs::remove(logFile());
      fs::remove(path);
      if (broken > 0) {
        std::string bytes = broken == 2 ? content.substr(0, content.size() / 2) : "";
        for (int i = 0; broken == 3 && i < 4096; i++) bytes += static_cast<char>(random());
        std::ofstream(path, std::ios::binary) << bytes;
      }
      // The font and the level need a window (the level is read on a
      // key); a configuration left with its defaults opens one.
      const bool window = file == font || file == level;
      if (file == level && !xdotool("version")) continue;  // no key to send
      const pid_t pid =
          start(window ? "frame_time:1," : "headless:true,frame_time:1,", env, file != config);
      if (file == font) {
        EXPECT_EQ(exitStatus(pid), 1) << what;
        // SFML says its part on standard error first.
        const std::vector<std::string> err = test::readLines(errPath());
        EXPECT_EQ(err.empty() ? "" : err.back(),
                  "platformer: cannot load the font 'mo-font.ttf': start the game in its data "
                  "folder or set font_file in the configuration")
            << what;
        EXPECT_NE(test::readFile(logFile()).find("Unable to load font from file 'mo-font.ttf'."),
                  std::string::npos)
            << what;
        continue;
      }
      const std::string started = "** Game engine started **";
      const std::string& line = lines[broken].empty() ? started : lines[broken];
      const auto logged = [&](const std::string& text) {
        return eventually(
            [&] { return test::readFile(logFile()).find(text) != std::string::npos; });
      };
      EXPECT_TRUE(logged(file == level ? started : line)) << what << ": " << line;
      if (file == level) {  // a key on the title screen starts the level: the player is green
        const std::string id = windowOnceThere(title);
        const bool title_shown = !id.empty() && eventually([&] {
          return colourCount(grabWindow(std::stoul(id)), "gb") > 500;
        });
        EXPECT_TRUE(title_shown && xdotool("mousemove --window " + id + " 500 300") &&
                    xdotool("key space") &&
                    eventually([&] { return colourCount(grabWindow(std::stoul(id)), "g") > 50; }))
            << what;
        EXPECT_TRUE(logged(line)) << what << ": " << line;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), 0) << what << " ended the program";
      kill(pid, SIGTERM);
      EXPECT_EQ(exitStatus(pid), 0) << what << ": " << test::readFile(errPath());
      const std::string log = test::readFile(logFile());
      EXPECT_EQ(log.rfind("** Game engine stopped **\n"), log.size() - 26) << what;
    }
    std::ofstream(path, std::ios::binary) << content;
  }
}

}  // namespace
}  // namespace mo
