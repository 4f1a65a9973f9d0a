#include "engine/media/InputManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/GameManager.h"
#include "engine/core/InputSource.h"
#include "engine/core/LogManager.h"
#include "engine/core/ReplayManager.h"
#include "engine/media/DisplayManager.h"
#include "engine/world/WorldManager.h"
#include "support/InputProbe.h"
#include "support/WindowTest.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

const std::string PRESSED_A = "pressed " + std::to_string(A);
const std::string RELEASED_A = "released " + std::to_string(A);
const std::string DOWN_A = "down " + std::to_string(A);

/// Input from the X server, sent with xdotool to a real window.
class InputManagerWindowTest : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    if (!xdotool("version")) GTEST_SKIP() << "xdotool is not installed";
    LogManager::getInstance().setLogLevel(2);
    WorldManager::getInstance().setView(Box(Vector(30, 7), 80, 30));  // moves no mouse position
    ASSERT_EQ(startWindow(), 0);
    ASSERT_EQ(input.startUp(), 0);
    window_id = std::to_string(DisplayManager::getInstance().getWindow()->getSystemHandle());
    p_probe = new test::InputProbe;
    // Keyboard input goes to the window under the pointer. (No --sync:
    // xdotool then waits long when the pointer is there already.)
    ASSERT_TRUE(xdotool("mousemove --window " + window_id + " 400 300"));
    frames([] { return false; }, 5);
  }

  void TearDown() override {
    if (!window_id.empty()) xdotool("keyup a mouseup 1");  // nothing stays held
    WindowTest::TearDown();
  }

  /// Runs input frames until done() holds, at most max_frames; whether it
  /// did.
  bool frames(const std::function<bool()>& done, int max_frames = 100) {
    for (int i = 0; i < max_frames; i++) {
      input.getInput();
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }
  bool framesUntil(const std::string& line) {
    return frames([&] { return p_probe->count(line) > 0; });
  }
  /// The position of the last MOVED received; (-1, -1) for none.
  Vector lastMoved() const {
    float x = -1, y = -1;
    for (const std::string& line : p_probe->received) {
      std::sscanf(line.c_str(), "moved - %f,%f", &x, &y);
    }
    return Vector(x, y);
  }
  /// Moves the pointer to a pixel of the window; the frames until a MOVED
  /// tells a position in cell (10, 10).
  void pointAtCell10(int x, int y) {
    ASSERT_TRUE(xdotool("mousemove --sync --window " + window_id + " " + std::to_string(x) + " " +
                        std::to_string(y)));
    EXPECT_TRUE(frames([this] {
      return std::floor(lastMoved().getX()) == 10 && std::floor(lastMoved().getY()) == 10;
    })) << x << "," << y;
  }

  InputManager& input = InputManager::getInstance();
  std::string window_id;
  test::InputProbe* p_probe = nullptr;
};

TEST_F(InputManagerWindowTest, KeyPressAndReleaseArriveAsEventsWithKeyRepeatOff) {
  EXPECT_EQ(logCount("InputManager::startUp(): Keyboard repeated disabled."), 1);
  ASSERT_TRUE(xdotool("key --window " + window_id + " a"));
  EXPECT_TRUE(framesUntil(RELEASED_A));
  EXPECT_EQ(p_probe->count(PRESSED_A), 1);
  EXPECT_EQ(p_probe->count(RELEASED_A), 1);
  input.shutDown();
  EXPECT_EQ(logCount("InputManager::shutDown(): Keyboard repeat enabled."), 1);
}

TEST_F(InputManagerWindowTest, HeldKeyIsDownEveryFrameUntilReleased) {
  ASSERT_TRUE(xdotool("keydown a"));
  ASSERT_TRUE(framesUntil(DOWN_A));
  // Held past the X server's auto-repeat delay: one KEY_DOWN a frame,
  // and no repeated presses.
  const int down = p_probe->count(DOWN_A);
  frames([] { return false; }, 50);
  EXPECT_EQ(p_probe->count(DOWN_A), down + 50);

  ASSERT_TRUE(xdotool("keyup a"));
  EXPECT_TRUE(framesUntil(RELEASED_A));
  const int after = p_probe->count(DOWN_A);
  for (int i = 0; i < 3; i++) input.getInput();
  EXPECT_EQ(p_probe->count(DOWN_A), after);
  EXPECT_EQ(p_probe->count(PRESSED_A), 1);  // one for the whole hold
}

TEST_F(InputManagerWindowTest, MouseMoveAndClickArriveInWindowCells) {
  ASSERT_TRUE(xdotool("mousemove --sync --window " + window_id + " 105 210"));
  EXPECT_TRUE(framesUntil("moved - 10.5,10.5"));
  // Only the events of the frame that brings the click are kept: the
  // click and the held button, at the pointer's cell.
  p_probe->received.clear();
  ASSERT_TRUE(xdotool("mousedown 1"));
  EXPECT_TRUE(frames([this] {
    if (p_probe->count("clicked left 10.5,10.5") > 0) return true;
    p_probe->received.clear();
    return false;
  }));
  EXPECT_EQ(p_probe->received, (Lines{"clicked left 10.5,10.5", "pressed left 10.5,10.5"}));
}

// A replay file holds only events: the pointer's place, read without one,
// is not given while input is replayed or recorded.
TEST_F(InputManagerWindowTest, PointerPlaceIsGivenOnlyWhenInputIsNeitherReplayedNorRecorded) {
  test::FakeInputState pointer;
  pointer.mouse = sf::Vector2i(105, 210);
  input.setInputState(&pointer);
  Vector where(-1, -1);
  ASSERT_TRUE(input.getMousePosition(where));
  EXPECT_EQ(where, Vector(10.5f, 10.5f));

  class NoInput : public InputSource {
    void frameInput(std::vector<ReplayEvent>&) override {}
  } replayed;
  input.setInputSource(&replayed);
  where = Vector(-1, -1);
  EXPECT_FALSE(input.getMousePosition(where));
  // The window still fits its picture to a new size, and the real
  // pointer's new cell is not the game's.
  const std::size_t received = p_probe->received.size();
  ASSERT_TRUE(xdotool("windowsize --sync " + window_id + " 1600 900"));
  EXPECT_TRUE(frames([] {
    const Vector cell = DisplayManager::getInstance().pixelToCell(357, 315);
    return std::floor(cell.getX()) == 10 && std::floor(cell.getY()) == 10;
  }));
  EXPECT_EQ(p_probe->received.size(), received);
  input.setInputSource(nullptr);

  Config::getInstance().loadConfig("record_file:" + tempDir() + "/pointer.replay,");
  ASSERT_EQ(ReplayManager::getInstance().startUp(), 0);
  ASSERT_TRUE(ReplayManager::getInstance().isRecording());
  EXPECT_FALSE(input.getMousePosition(where));
  EXPECT_EQ(where, Vector(-1, -1));
}

TEST_F(InputManagerWindowTest, CloseRequestSetsGameOverAndEndsTheFrame) {
  test::FakeInputState holding_a;
  holding_a.keys = {sf::Keyboard::A};
  input.setInputState(&holding_a);
  input.getInput();
  ASSERT_EQ(p_probe->count(DOWN_A), 1);

  ASSERT_TRUE(requestClose(std::stoul(window_id)));
  int before_last_frame = p_probe->count(DOWN_A);
  EXPECT_TRUE(frames([&] {
    const bool over = GameManager::getInstance().getGameOver();
    if (!over) before_last_frame = p_probe->count(DOWN_A);
    return over;
  }));
  EXPECT_EQ(p_probe->count(DOWN_A), before_last_frame);  // the frame of the close sent nothing held
  EXPECT_EQ(logCount("InputManager::getInput(): Window close event. Setting game over."), 1);
}

TEST_F(InputManagerWindowTest, AfterResizesAndAltEnterTwiceThePointerFindsItsCellAndF12Saves) {
  namespace fs = std::filesystem;
  struct InDir {  // the screenshot's folder
    fs::path old = fs::current_path();
    explicit InDir(const fs::path& dir) { fs::current_path(dir); }
    ~InDir() { fs::current_path(old); }
  } in_temp(tempDir());
  DisplayManager& display = DisplayManager::getInstance();
  // Each size and a pixel of cell (10, 10); each resize tells the pointer's new cell.
  for (const auto& [width, height, x, y] :
       {std::array<int, 4>{1600, 900, 357, 315}, {400, 600, 52, 255}, {1000, 1000, 131, 387}}) {
    const Vector before = lastMoved();
    ASSERT_TRUE(xdotool("windowsize --sync " + window_id + " " + std::to_string(width) + " " +
                        std::to_string(height)));
    ASSERT_TRUE(frames([&] { return lastMoved() != before; })) << width << "x" << height;
    pointAtCell10(x, y);
  }
  const auto picture = [&display] {
    display.drawString(Vector(35, 9), "Morvane", LEFT_JUSTIFIED, RED);  // view cell (5, 2)
    return readBack(*display.getWindow());
  };
  ASSERT_EQ(display.swapBuffers(), 0);  // the first frame at the new size
  const sf::Image before = picture();
  const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
  for (const bool on : {true, false}) {
    ASSERT_EQ(display.swapBuffers(), 0);
    ASSERT_TRUE(xdotool("key --window " + window_id + " alt+Return"));
    ASSERT_TRUE(frames([&] { return display.isFullscreen() == on; })) << on;
    window_id = std::to_string(display.getWindow()->getSystemHandle());
    if (!on) break;
    ASSERT_EQ(display.getWindow()->getSize(), sf::Vector2u(desktop.width, desktop.height));
    const float scale = std::min(static_cast<float>(desktop.width) / 800.0f,
                                 static_cast<float>(desktop.height) / 600.0f);
    pointAtCell10(static_cast<int>((static_cast<float>(desktop.width) - 590.0f * scale) / 2.0f),
                  static_cast<int>((static_cast<float>(desktop.height) - 180.0f * scale) / 2.0f));
  }
  ASSERT_EQ(display.getWindow()->getSize(), sf::Vector2u(1000, 1000));
  const sf::Image after = picture();
  const auto same = [&after](const sf::Image& image) {
    return image.getSize() == after.getSize() &&
           std::equal(after.getPixelsPtr(), after.getPixelsPtr() + 1000 * 1000 * 4,
                      image.getPixelsPtr());
  };
  EXPECT_TRUE(same(before));

  ASSERT_TRUE(xdotool("mousemove --window " + window_id + " 400 300 key F12 keydown a"));
  ASSERT_TRUE(framesUntil(DOWN_A));
  ASSERT_EQ(display.swapBuffers(), 0);
  std::vector<fs::path> shots;
  for (const fs::directory_entry& entry : fs::directory_iterator(tempDir())) {
    if (entry.path().filename().string().rfind("screenshot-", 0) == 0) shots.push_back(entry);
  }
  sf::Image saved;
  ASSERT_EQ(shots.size(), 1u);
  ASSERT_TRUE(saved.loadFromFile(shots[0].string()));
  EXPECT_TRUE(same(saved));
  // The new window kept keyboard repeat off: held past the server's repeat
  // delay, a key is pressed once. Neither Enter nor Alt reached the game.
  frames([] { return false; }, 50);
  EXPECT_EQ(p_probe->count(PRESSED_A), 1);
  for (const int key : {int{RETURN}, int{InputManager::toKeyCode(sf::Keyboard::LAlt)}}) {
    const std::string k = " " + std::to_string(key);
    EXPECT_EQ(p_probe->count("pressed" + k) + p_probe->count("released" + k), 0) << key;
    EXPECT_EQ(p_probe->count("down" + k), 0) << key;
  }
  // Enter alone is the game's.
  ASSERT_TRUE(xdotool("keyup a key Return"));
  EXPECT_TRUE(framesUntil("released " + std::to_string(RETURN)));
  EXPECT_EQ(p_probe->count("pressed " + std::to_string(RETURN)), 1);
}

}  // namespace
}  // namespace mo
