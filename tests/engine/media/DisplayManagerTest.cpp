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

using test::EngineTest;
using test::ScopedEnv;
using Lines = std::vector<std::string>;

// 10 x 20 pixel cells.
const char* const GRID_10_BY_20 =
    "window_horizontal_pixels:800,window_vertical_pixels:600,"
    "window_horizontal_chars:80,window_vertical_chars:30,";

class DisplayManagerTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    LogManager& log = LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    log.setFlush(true);
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
    const Lines messages = logMessages();
    return static_cast<int>(std::count(messages.begin(), messages.end(), message));
  }

  DisplayManager& display = DisplayManager::getInstance();
};

// --- start-up ---------------------------------------------------------------

TEST_F(DisplayManagerTest, HeadlessStartHasNoWindowAndDrawingFailsQuietly) {
  LogManager::getInstance().setLogLevel(5);
  ASSERT_EQ(startWith("headless:true,"), 0);
  EXPECT_TRUE(display.isStarted());
  EXPECT_EQ(display.getWindow(), nullptr);
  EXPECT_EQ(logCount("DisplayManager::startUp(): not doing graphics since in headless mode."), 1);
  EXPECT_EQ(logCount("DisplayManager::startUp(): successfully started."), 1);

  // Not even the conversions' own lines may appear.
  LogManager::getInstance().setLogLevel(100);
  const std::size_t before = logMessages().size();
  EXPECT_EQ(display.drawCh(Vector(1, 1), 'x', RED), -1);
  EXPECT_EQ(display.drawCh(Vector(1, 1), 'x', 255, 0, 0), -1);
  EXPECT_EQ(display.drawString(Vector(1, 1), "abc", LEFT_JUSTIFIED, RED), -1);
  EXPECT_EQ(display.swapBuffers(), -1);
  EXPECT_EQ(logMessages().size(), before);
}

TEST_F(DisplayManagerTest, DrawingBeforeStartUpIsRefusedWithALine) {
  EXPECT_EQ(display.drawCh(Vector(1, 1), 'x', RED), -1);
  EXPECT_EQ(display.drawCh(Vector(1, 1), 'x', 1, 2, 3), -1);
  EXPECT_EQ(display.drawString(Vector(1, 1), "abc", CENTER_JUSTIFIED, RED), -1);
  EXPECT_EQ(display.swapBuffers(), -1);
  EXPECT_EQ(logCount("DisplayManager not started!"), 4);

  // An attached grid does not make an unstarted display draw.
  CharGrid grid(80, 24);
  display.setCharGrid(&grid);
  EXPECT_EQ(display.drawCh(Vector(1, 1), 'x', RED), -1);
  EXPECT_EQ(grid.toString(), "");
  EXPECT_EQ(logCount("DisplayManager not started!"), 5);
}

TEST_F(DisplayManagerTest, SecondStartUpOnlyLogs) {
  ASSERT_EQ(startWith(std::string(GRID_10_BY_20) + "headless:true,"), 0);
  Config::getInstance().loadConfig("window_horizontal_chars:40,");
  EXPECT_EQ(display.startUp(), 0);
  EXPECT_EQ(logCount("DisplayManager::startUp(): Already started."), 1);
  EXPECT_EQ(display.getHorizontal(), 80);
  EXPECT_TRUE(display.isStarted());
}

TEST_F(DisplayManagerTest, NonPositiveSizesFallBackToTheDefaults) {
  ASSERT_EQ(startWith("headless:true,window_horizontal_pixels:0,window_vertical_pixels:-600,"
                      "window_horizontal_chars:0,window_vertical_chars:-3,"),
            0);
  EXPECT_EQ(display.getHorizontalPixels(), 1024);
  EXPECT_EQ(display.getVerticalPixels(), 768);
  EXPECT_EQ(display.getHorizontal(), 80);
  EXPECT_EQ(display.getVertical(), 24);
  EXPECT_FLOAT_EQ(charWidth(), 12.8f);
  EXPECT_FLOAT_EQ(charHeight(), 32.0f);
  const char* const prefix = "DisplayManager::startUp(): Warning! ";
  EXPECT_EQ(logCount(std::string(prefix) + "window_horizontal_pixels 0 is not positive, using 1024."),
            1);
  EXPECT_EQ(logCount(std::string(prefix) + "window_vertical_pixels -600 is not positive, using 768."),
            1);
  EXPECT_EQ(logCount(std::string(prefix) + "window_horizontal_chars 0 is not positive, using 80."),
            1);
  EXPECT_EQ(logCount(std::string(prefix) + "window_vertical_chars -3 is not positive, using 24."),
            1);
}

TEST_F(DisplayManagerTest, NoWindowWithoutAnXServer) {
  // Asking SFML for a window or the desktop without a display ends the
  // process, so this must be refused before SFML is reached.
  const ScopedEnv no_display("DISPLAY", "");
  EXPECT_EQ(startWith(GRID_10_BY_20), -1);
  EXPECT_FALSE(display.isStarted());
  EXPECT_EQ(display.getWindow(), nullptr);
  EXPECT_EQ(logCount("DisplayManager::startUp(): Unable to allocate window!"), 1);
  EXPECT_EQ(logCount("DisplayManager::startUp(): successfully started."), 0);
}

// --- cell size and conversions ----------------------------------------------

TEST_F(DisplayManagerTest, CellSizeComesFromPixelsAndCharsEvenHeadless) {
  ASSERT_EQ(startWith(std::string(GRID_10_BY_20) + "headless:true,"), 0);
  EXPECT_EQ(display.getHorizontal(), 80);
  EXPECT_EQ(display.getVertical(), 30);
  EXPECT_FLOAT_EQ(charWidth(), 10.0f);
  EXPECT_FLOAT_EQ(charHeight(), 20.0f);

  LogManager::getInstance().setLogLevel(30);
  const Vector pixels = spacesToPixels(Vector(3, 2));
  EXPECT_FLOAT_EQ(pixels.getX(), 30.0f);
  EXPECT_FLOAT_EQ(pixels.getY(), 40.0f);
  const Vector spaces = pixelsToSpaces(Vector(35, 50));
  EXPECT_FLOAT_EQ(spaces.getX(), 3.5f);
  EXPECT_FLOAT_EQ(spaces.getY(), 2.5f);
  EXPECT_EQ(logCount("spacesToPixels(int): spaces (3.00,2.00) = pixels (30.00,40.00)"), 1);
  EXPECT_EQ(logCount("pixelsToSpaces(): pixels (35.00,50.00) = spaces (3.50,2.50)"), 1);
}

TEST_F(DisplayManagerTest, CellsAreNotRoundedToWholePixels) {
  ASSERT_EQ(startWith("headless:true,window_horizontal_pixels:1024,window_vertical_pixels:768,"
                      "window_horizontal_chars:80,window_vertical_chars:24,"),
            0);
  EXPECT_FLOAT_EQ(charWidth(), 12.8f);
  EXPECT_FLOAT_EQ(charHeight(), 32.0f);
  EXPECT_FLOAT_EQ(spacesToPixels(Vector(5, 1)).getX(), 64.0f);
  EXPECT_FLOAT_EQ(pixelsToSpaces(Vector(32, 16)).getX(), 2.5f);
  EXPECT_FLOAT_EQ(pixelsToSpaces(Vector(32, 16)).getY(), 0.5f);
}

TEST_F(DisplayManagerTest, ConversionsIgnoreTheView) {
  ASSERT_EQ(startWith(std::string(GRID_10_BY_20) + "headless:true,"), 0);
  WorldManager::getInstance().setView(Box(Vector(30, 7), 80, 24));
  EXPECT_FLOAT_EQ(spacesToPixels(Vector(3, 2)).getX(), 30.0f);
  EXPECT_FLOAT_EQ(pixelsToSpaces(Vector(105, 210)).getX(), 10.5f);
  EXPECT_FLOAT_EQ(pixelsToSpaces(Vector(105, 210)).getY(), 10.5f);
}

// --- what lands where (seen through an attached grid) -----------------------

class DisplayManagerGridTest : public DisplayManagerTest {
 protected:
  void SetUp() override {
    DisplayManagerTest::SetUp();
    ASSERT_EQ(startWith(std::string(GRID_10_BY_20) + "headless:true,"), 0);
    display.setCharGrid(&grid);
  }
  CharGrid grid{80, 24};
};

TEST_F(DisplayManagerGridTest, DrawChPutsTheCharacterAtItsViewCell) {
  EXPECT_EQ(display.drawCh(Vector(5, 2), '@', GREEN), 0);
  EXPECT_EQ(display.drawCh(Vector(0, 0), 'o', 255, 255, 0), 0);
  EXPECT_EQ(grid.charAt(5, 2), '@');
  EXPECT_EQ(grid.colorAt(5, 2), GREEN);
  EXPECT_EQ(grid.charAt(0, 0), 'o');
  EXPECT_EQ(grid.colorAt(0, 0), YELLOW);
  EXPECT_EQ(grid.toString(), "o\n\n     @\n");
}

TEST_F(DisplayManagerGridTest, JustificationPlacesTheStart) {
  const struct {
    std::string text;
    Justification just;
    int first;
  } cases[] = {
      {"abc", LEFT_JUSTIFIED, 10},    {"abc", CENTER_JUSTIFIED, 9},
      {"abc", RIGHT_JUSTIFIED, 7},    {"abcd", CENTER_JUSTIFIED, 8},
      {"abcd", RIGHT_JUSTIFIED, 6},   {"abc", static_cast<Justification>(7), 10},
      {"a", CENTER_JUSTIFIED, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " justified " + std::to_string(static_cast<int>(c.just)));
    grid.clear();
    EXPECT_EQ(display.drawString(Vector(10, 4), c.text, c.just, CYAN), 0);
    EXPECT_EQ(grid.trimmedRow(4), std::string(static_cast<std::size_t>(c.first), ' ') + c.text);
    EXPECT_EQ(grid.colorAt(c.first, 4), CYAN);
    EXPECT_EQ(grid.toString(), "\n\n\n\n" + grid.trimmedRow(4) + "\n");
  }
}

TEST_F(DisplayManagerGridTest, EmptyStringDrawsNothing) {
  EXPECT_EQ(display.drawString(Vector(10, 4), "", CENTER_JUSTIFIED, RED), 0);
  EXPECT_EQ(grid.toString(), "");
}

TEST_F(DisplayManagerGridTest, ViewCornerShiftsWhatIsDrawn) {
  WorldManager::getInstance().setView(Box(Vector(5, 0), 80, 24));
  EXPECT_EQ(display.drawCh(Vector(12, 3), 'x', RED), 0);
  EXPECT_EQ(display.drawString(Vector(10, 6), "abc", RIGHT_JUSTIFIED, RED), 0);
  // Left of the view: outside the picture.
  EXPECT_EQ(display.drawCh(Vector(2, 3), 'y', RED), 0);
  EXPECT_EQ(grid.charAt(7, 3), 'x');
  EXPECT_EQ(grid.trimmedRow(6), "  abc");
  EXPECT_EQ(grid.trimmedRow(3), "       x");
}

TEST_F(DisplayManagerGridTest, ColoursThatAreNoColourDrawWhite) {
  EXPECT_EQ(display.drawCh(Vector(1, 1), 'c', CUSTOM), 0);
  EXPECT_EQ(display.drawCh(Vector(2, 1), 'n', static_cast<Color>(42)), 0);
  EXPECT_EQ(display.drawCh(Vector(3, 1), 'm', static_cast<Color>(-1)), 0);
  EXPECT_EQ(display.drawString(Vector(5, 1), "ss", LEFT_JUSTIFIED, CUSTOM), 0);
  EXPECT_EQ(display.drawString(Vector(8, 1), "t", LEFT_JUSTIFIED, static_cast<Color>(9)), 0);
  EXPECT_EQ(grid.trimmedRow(1), " cnm ss t");
  for (int x : {1, 2, 3, 5, 6, 8}) EXPECT_EQ(grid.colorAt(x, 1), WHITE) << "cell " << x;
}

TEST_F(DisplayManagerGridTest, SwapBuffersEmptiesTheGrid) {
  EXPECT_EQ(display.drawString(Vector(0, 0), "frame", LEFT_JUSTIFIED, WHITE), 0);
  EXPECT_EQ(grid.toString(), "frame\n");
  EXPECT_EQ(display.swapBuffers(), 0);
  EXPECT_EQ(grid.toString(), "");

  // Detached, headless drawing fails again.
  display.setCharGrid(nullptr);
  EXPECT_EQ(display.drawCh(Vector(0, 0), 'x', WHITE), -1);
  EXPECT_EQ(display.swapBuffers(), -1);
  EXPECT_EQ(grid.toString(), "");
}

TEST_F(DisplayManagerGridTest, ResetForgetsGridWindowSizesAndStart) {
  display.reset();
  EXPECT_FALSE(display.isStarted());
  EXPECT_EQ(display.getCharGrid(), nullptr);
  EXPECT_EQ(display.getHorizontalPixels(), 1024);
  EXPECT_EQ(display.getVertical(), 24);
  EXPECT_EQ(display.getBackgroundColor(), sf::Color::Black);
}

}  // namespace
}  // namespace mo
