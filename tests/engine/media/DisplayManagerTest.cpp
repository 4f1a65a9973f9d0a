#include "engine/media/DisplayManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/LogManager.h"
#include "engine/media/CharGrid.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::ScopedEnv;

// 10 x 20 pixel cells.
const std::string GRID_10_BY_20 =
    "window_horizontal_pixels:800,window_vertical_pixels:600,"
    "window_horizontal_chars:80,window_vertical_chars:30,";

class DisplayManagerTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    LogManager::getInstance().setFlush(true);
    ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
    WorldManager::getInstance().setView(Box(Vector(0, 0), 80, 24));
  }

  /// Loads config_text as the configuration file and starts the display.
  int startWith(const std::string& config_text) {
    const ScopedEnv config_env("MORVANE_CONFIG", writeTempFile("mo-config.txt", config_text));
    Config::getInstance().loadConfig();
    return display.startUp();
  }

  int logCount(const std::string& message) const {
    const std::vector<std::string> messages = logMessages();
    return static_cast<int>(std::count(messages.begin(), messages.end(), message));
  }

  DisplayManager& display = DisplayManager::getInstance();
};

TEST_F(DisplayManagerTest, DrawingNeedsAStartedDisplayAndHeadlessFailsQuietly) {
  CharGrid grid(80, 24);
  display.setCharGrid(&grid);  // does not make an unstarted display draw
  const auto draw_all = [this] {
    return std::vector<int>{display.drawCh(Vector(1, 1), 'x', RED),
                            display.drawCh(Vector(1, 1), 'x', 1, 2, 3),
                            display.drawString(Vector(1, 1), "abc", CENTER_JUSTIFIED, RED),
                            display.swapBuffers()};
  };
  EXPECT_EQ(draw_all(), std::vector<int>(4, -1));
  EXPECT_EQ(logCount("DisplayManager not started!"), 4);
  EXPECT_EQ(grid.toString(), "");

  LogManager::getInstance().setLogLevel(5);
  ASSERT_EQ(startWith(GRID_10_BY_20 + "headless:true,"), 0);
  EXPECT_EQ(display.getWindow(), nullptr);
  EXPECT_EQ(logCount("DisplayManager::startUp(): not doing graphics since in headless mode."), 1);
  EXPECT_EQ(logCount("DisplayManager::startUp(): successfully started."), 1);
  EXPECT_EQ(display.startUp(), 0);
  EXPECT_EQ(logCount("DisplayManager::startUp(): Already started."), 1);
  // Without a grid, not even the conversions' own lines may appear.
  display.setCharGrid(nullptr);
  LogManager::getInstance().setLogLevel(100);
  const std::size_t before = logMessages().size();
  EXPECT_EQ(draw_all(), std::vector<int>(4, -1));
  EXPECT_EQ(logMessages().size(), before);
  EXPECT_EQ(display.saveScreenshot("shot.png"), -1);
  EXPECT_EQ(logCount("DisplayManager::saveScreenshot(): no window to save to 'shot.png'."), 1);
}

TEST_F(DisplayManagerTest, NoWindowWithoutAnXServerThatAnswers) {
  // SFML ends the process when it cannot reach the X server, so this must
  // be refused before SFML is asked for a window.
  for (const char* display_name : {"", ":987"}) {
    SCOPED_TRACE(std::string("DISPLAY=") + display_name);
    const ScopedEnv env("DISPLAY", display_name);
    display.reset();
    EXPECT_EQ(startWith(GRID_10_BY_20), -1);
    EXPECT_FALSE(display.isStarted());
    EXPECT_EQ(display.getWindow(), nullptr);
  }
  EXPECT_EQ(logCount("DisplayManager::startUp(): Unable to allocate window!"), 2);
  EXPECT_EQ(logCount("DisplayManager::startUp(): successfully started."), 0);
}

/// What is drawn where, seen through an attached grid.
class DisplayManagerGridTest : public DisplayManagerTest {
 protected:
  void SetUp() override {
    DisplayManagerTest::SetUp();
    ASSERT_EQ(startWith(GRID_10_BY_20 + "headless:true,"), 0);
    display.setCharGrid(&grid);
  }
  CharGrid grid{80, 24};
};

TEST_F(DisplayManagerGridTest, CellSizeAndConversionsComeFromPixelsAndCharsAlone) {
  EXPECT_FLOAT_EQ(charWidth(), 10.0f);
  EXPECT_FLOAT_EQ(charHeight(), 20.0f);
  WorldManager::getInstance().setView(Box(Vector(30, 7), 80, 24));  // plays no part
  LogManager::getInstance().setLogLevel(30);
  EXPECT_EQ(spacesToPixels(Vector(3, 2)), Vector(30, 40));
  EXPECT_EQ(pixelsToSpaces(Vector(35, 50)), Vector(3.5f, 2.5f));
  EXPECT_EQ(logCount("spacesToPixels(int): spaces (3.00,2.00) = pixels (30.00,40.00)"), 1);
  EXPECT_EQ(logCount("pixelsToSpaces(): pixels (35.00,50.00) = spaces (3.50,2.50)"), 1);
}

TEST_F(DisplayManagerGridTest, CharactersLandInTheirViewCellsInPlainColoursUntilTheSwap) {
  EXPECT_EQ(display.drawCh(Vector(5, 2), '@', GREEN), 0);
  EXPECT_EQ(display.drawCh(Vector(0, 0), 'o', 255, 255, 0), 0);
  EXPECT_EQ(display.drawCh(Vector(1, 1), 'c', CUSTOM), 0);
  EXPECT_EQ(display.drawCh(Vector(2, 1), 'n', static_cast<Color>(42)), 0);
  EXPECT_EQ(display.drawCh(Vector(3, 1), 'm', static_cast<Color>(-1)), 0);
  EXPECT_EQ(display.drawString(Vector(5, 1), "ss", LEFT_JUSTIFIED, CUSTOM), 0);
  EXPECT_EQ(grid.toString(), "o\n cnm ss\n     @\n");
  EXPECT_EQ(grid.colorAt(5, 2), GREEN);
  EXPECT_EQ(grid.colorAt(0, 0), YELLOW);
  for (int x : {1, 2, 3, 5, 6}) EXPECT_EQ(grid.colorAt(x, 1), WHITE) << "cell " << x;

  // The view's corner shifts everything; what falls left of it is gone.
  grid.clear();
  WorldManager::getInstance().setView(Box(Vector(5, 0), 80, 24));
  EXPECT_EQ(display.drawCh(Vector(12, 3), 'x', RED), 0);
  EXPECT_EQ(display.drawCh(Vector(2, 3), 'y', RED), 0);
  EXPECT_EQ(display.drawString(Vector(10, 6), "abc", RIGHT_JUSTIFIED, RED), 0);
  EXPECT_EQ(grid.toString(), "\n\n\n       x\n\n\n  abc\n");
  EXPECT_EQ(display.swapBuffers(), 0);
  EXPECT_EQ(grid.toString(), "");
}

TEST_F(DisplayManagerGridTest, JustificationPlacesTheStart) {
  const struct {
    std::string text;
    Justification just;
    float x;
    int first;
  } cases[] = {
      {"abc", LEFT_JUSTIFIED, 10, 10},   {"abc", CENTER_JUSTIFIED, 10, 9},
      {"abc", RIGHT_JUSTIFIED, 10, 7},   {"abcd", CENTER_JUSTIFIED, 10, 8},
      {"abcd", RIGHT_JUSTIFIED, 10, 6},  {"abc", static_cast<Justification>(7), 10, 10},
      {"a", CENTER_JUSTIFIED, 10, 10},
      // 10.6 - 3 / 2 = 9.6: centring moves by whole cells only.
      {"abc", CENTER_JUSTIFIED, 10.6f, 10},
      // Width in code points: three cells, nine bytes.
      {"\u2554\u2550\u2557", CENTER_JUSTIFIED, 10, 9}, {"a\u00E9\u2593", RIGHT_JUSTIFIED, 10, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " justified " + std::to_string(c.just) + " at " + std::to_string(c.x));
    grid.clear();
    EXPECT_EQ(display.drawString(Vector(c.x, 4), c.text, c.just, CYAN), 0);
    EXPECT_EQ(grid.toString(), "\n\n\n\n" + std::string(c.first, ' ') + c.text + "\n");
    EXPECT_EQ(grid.colorAt(c.first, 4), CYAN);
  }
  grid.clear();
  EXPECT_EQ(display.drawString(Vector(10, 4), "", CENTER_JUSTIFIED, RED), 0);
  EXPECT_EQ(grid.toString(), "");
  // A byte that is no UTF-8 takes its own cell, as does a char beyond ASCII.
  EXPECT_EQ(display.drawString(Vector(0, 0), "a\xFF" "b", LEFT_JUSTIFIED, RED), 0);
  EXPECT_EQ(display.drawCh(Vector(3, 0), '\xE9', RED), 0);
  EXPECT_EQ(display.drawCh(Vector(4, 0), U'\u2588', RED), 0);
  EXPECT_EQ(grid.toString(), "a\uFFFDb\uFFFD\u2588\n");
}

}  // namespace
}  // namespace mo
