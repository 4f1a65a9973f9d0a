#include "engine/media/DisplayManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/LogManager.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;
using test::ScopedEnv;
using Lines = std::vector<std::string>;

const char* const TITLE = "MorvaneDisplayWindowTest";

/// The font in the repository's data folder, found from this file's path.
std::string fontPath() {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind("/tests/")) + "/data/mo-font.ttf";
}

/// The lines a shell command prints.
Lines commandOutput(const std::string& command) {
  Lines lines;
  FILE* p_pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!p_pipe) return lines;
  char buffer[256];
  while (std::fgets(buffer, sizeof(buffer), p_pipe)) {
    std::string line = buffer;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    lines.push_back(line);
  }
  pclose(p_pipe);
  return lines;
}

/// The X ids of the windows with the test's title.
Lines windowsTitled(const std::string& title) {
  return commandOutput("xdotool search --name '^" + title + "$'");
}

/// What the window holds now (what was drawn since the last swap).
sf::Image readBack(const sf::RenderWindow& window) {
  sf::Texture texture;
  EXPECT_TRUE(texture.create(window.getSize().x, window.getSize().y));
  texture.update(window);
  return texture.copyToImage();
}

bool isRed(sf::Color c) { return c.r > 100 && c.g < 60 && c.b < 60; }

/// The smallest pixel rectangle holding every red pixel; empty when none.
struct Extent {
  int left = -1, top = -1, right = -1, bottom = -1;  // right and bottom inclusive
  int count = 0;
  bool operator==(const Extent& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom &&
           count == o.count;
  }
};

std::ostream& operator<<(std::ostream& out, const Extent& e) {
  return out << e.count << " px in x " << e.left << ".." << e.right << ", y " << e.top << ".."
             << e.bottom;
}

Extent redExtent(const sf::Image& image) {
  Extent e;
  for (unsigned y = 0; y < image.getSize().y; y++) {
    for (unsigned x = 0; x < image.getSize().x; x++) {
      if (!isRed(image.getPixel(x, y))) continue;
      const int ix = static_cast<int>(x), iy = static_cast<int>(y);
      if (e.count == 0) {
        e.left = e.right = ix;
        e.top = e.bottom = iy;
      }
      e.left = std::min(e.left, ix);
      e.right = std::max(e.right, ix);
      e.top = std::min(e.top, iy);
      e.bottom = std::max(e.bottom, iy);
      e.count++;
    }
  }
  return e;
}

/// How many pixels of the rectangle [x0, x1) x [y0, y1) are not c.
int pixelsOtherThan(const sf::Image& image, sf::Color c, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1; y++) {
    for (int x = x0; x < x1; x++) {
      if (image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)) != c) count++;
    }
  }
  return count;
}

class DisplayManagerWindowTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    const char* p_display = std::getenv("DISPLAY");
    if (!p_display || !*p_display) GTEST_SKIP() << "no X server (DISPLAY is not set)";
    LogManager& log = LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    log.setFlush(true);
    ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
    WorldManager::getInstance().setView(Box(Vector(0, 0), 80, 30));
  }

  /// Opens an 800 x 600 window of 80 x 30 cells (10 x 20 pixels each).
  /// The settings of extra come first, so they win over these.
  int startWindow(const std::string& extra = "") {
    const std::string text = extra +
                             "window_horizontal_pixels:800,window_vertical_pixels:600,"
                             "window_horizontal_chars:80,window_vertical_chars:30,"
                             "window_title:" + std::string(TITLE) + ",font_file:" + fontPath() +
                             ",";
    const ScopedEnv config_env("MORVANE_CONFIG", writeTempFile("mo-config.txt", text));
    Config::getInstance().reset();
    Config::getInstance().loadConfig();
    return display.startUp();
  }

  /// The red extent of a red 'M' drawn at world (5, 2) on a fresh window.
  Extent glyphExtent(const std::string& extra) {
    display.reset();
    if (startWindow(extra) != 0) return Extent();
    display.drawCh(Vector(5, 2), 'M', RED);
    return redExtent(readBack(*display.getWindow()));
  }

  int logCount(const std::string& message) const {
    const Lines messages = logMessages();
    return static_cast<int>(std::count(messages.begin(), messages.end(), message));
  }

  DisplayManager& display = DisplayManager::getInstance();
};

TEST_F(DisplayManagerWindowTest, WindowOpensAtTheConfiguredSizeWithTheTitle) {
  LogManager::getInstance().setLogLevel(5);
  ASSERT_EQ(startWindow(), 0);
  sf::RenderWindow* p_window = display.getWindow();
  ASSERT_NE(p_window, nullptr);
  EXPECT_TRUE(p_window->isOpen());
  EXPECT_EQ(p_window->getSize(), sf::Vector2u(800, 600));
  EXPECT_FLOAT_EQ(charWidth(), 10.0f);
  EXPECT_FLOAT_EQ(charHeight(), 20.0f);

  const Lines ids = windowsTitled(TITLE);
  ASSERT_EQ(ids.size(), 1u) << "windows titled " << TITLE;
  EXPECT_EQ(std::stoul(ids[0]), static_cast<unsigned long>(p_window->getSystemHandle()));

  const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
  EXPECT_EQ(logCount("DisplayManager::startUp(): window resolution (" +
                     std::to_string(desktop.width) + ", " + std::to_string(desktop.height) +
                     ") pixels."),
            1);
  EXPECT_EQ(logCount("DisplayManager::startUp(): successfully started."), 1);

  display.shutDown();
  EXPECT_EQ(display.getWindow(), nullptr);
  EXPECT_FALSE(display.isStarted());
  EXPECT_TRUE(windowsTitled(TITLE).empty());
}

TEST_F(DisplayManagerWindowTest, RedGlyphLandsInItsCellAndLeavesOthersBackground) {
  ASSERT_EQ(startWindow(), 0);
  EXPECT_EQ(display.drawCh(Vector(5, 2), 'M', RED), 0);
  const sf::Image image = readBack(*display.getWindow());

  // The cell of world (5, 2) starts at pixel (50, 40); the glyph may
  // reach past its cell but not far.
  const Extent red = redExtent(image);
  EXPECT_GT(red.count, 20) << red;
  EXPECT_GE(red.left, 49) << red;
  EXPECT_GE(red.top, 40) << red;
  EXPECT_LT(red.right, 50 + 25) << red;
  EXPECT_LT(red.bottom, 40 + 30) << red;

  // An untouched cell, (20, 10), is background.
  EXPECT_EQ(pixelsOtherThan(image, sf::Color::Black, 200, 200, 210, 220), 0);
  EXPECT_EQ(image.getPixel(799, 599), sf::Color::Black);
}

TEST_F(DisplayManagerWindowTest, ViewCornerMovesThePicture) {
  const Extent unmoved = glyphExtent("");
  ASSERT_GT(unmoved.count, 0);

  display.reset();
  ASSERT_EQ(startWindow(), 0);
  WorldManager::getInstance().setView(Box(Vector(5, 0), 80, 30));
  EXPECT_EQ(display.drawCh(Vector(10, 2), 'M', RED), 0);
  EXPECT_EQ(redExtent(readBack(*display.getWindow())), unmoved);
}

TEST_F(DisplayManagerWindowTest, CellBackgroundSitsATenthLeftAndAFifthDown) {
  ASSERT_EQ(startWindow("window_background_color:blue,"), 0);
  EXPECT_EQ(display.getBackgroundColor(), sf::Color::Blue);
  sf::RenderWindow* p_window = display.getWindow();
  ASSERT_NE(p_window, nullptr);
  // Black around the cell so that its blue background shows.
  p_window->clear(sf::Color::Black);
  EXPECT_EQ(display.drawCh(Vector(5, 2), ' ', WHITE), 0);
  const sf::Image image = readBack(*p_window);

  // Glyph origin (50, 40); the 10 x 20 cell spans x 49..58, y 44..63.
  EXPECT_EQ(pixelsOtherThan(image, sf::Color::Blue, 49, 44, 59, 64), 0);
  for (const auto& outside : {sf::Vector2u(48, 50), sf::Vector2u(59, 50), sf::Vector2u(53, 43),
                              sf::Vector2u(53, 64)}) {
    EXPECT_EQ(image.getPixel(outside.x, outside.y), sf::Color::Black)
        << "pixel (" << outside.x << "," << outside.y << ")";
  }
  // Nothing else is blue: the blue pixels are exactly one cell.
  EXPECT_EQ(pixelsOtherThan(image, sf::Color::Blue, 0, 0, 800, 600), 800 * 600 - 10 * 20);
}

TEST_F(DisplayManagerWindowTest, SwapBuffersClearsToTheBackground) {
  ASSERT_EQ(startWindow("window_background_color:blue,"), 0);
  EXPECT_EQ(display.drawString(Vector(5, 2), "MMM", LEFT_JUSTIFIED, RED), 0);
  ASSERT_GT(redExtent(readBack(*display.getWindow())).count, 0);
  EXPECT_EQ(display.swapBuffers(), 0);
  EXPECT_EQ(pixelsOtherThan(readBack(*display.getWindow()), sf::Color::Blue, 0, 0, 800, 600), 0);
}

TEST_F(DisplayManagerWindowTest, AbsurdFontScaleFallsBackToOne) {
  const Extent scale_one = glyphExtent("font_scale:1,");
  const Extent scale_two = glyphExtent("font_scale:2,");
  ASSERT_GT(scale_one.count, 0);
  // The default scale draws the glyph about twice as tall.
  EXPECT_GT(scale_two.bottom - scale_two.top, scale_one.bottom - scale_one.top + 4);

  EXPECT_EQ(glyphExtent("font_scale:1000,"), scale_one);
  EXPECT_EQ(logCount("DisplayManager::startUp(): Warning! font_scale 1000.000000 out of range, "
                     "using 1."),
            1);
  EXPECT_EQ(glyphExtent("font_scale:-2,"), scale_one);
}

TEST_F(DisplayManagerWindowTest, MissingFontClosesTheWindowAtOnce) {
  const std::string missing = tempDir() + "/no-such-font.ttf";
  EXPECT_EQ(startWindow("font_file:" + missing + ","), -1);
  EXPECT_FALSE(display.isStarted());
  EXPECT_EQ(display.getWindow(), nullptr);
  EXPECT_TRUE(windowsTitled(TITLE).empty());
  EXPECT_EQ(logCount("DisplayManager::startUp(): Unable to load font from file '" + missing + "'."),
            1);
  EXPECT_EQ(display.drawCh(Vector(1, 1), 'x', RED), -1);
  EXPECT_EQ(logCount("DisplayManager not started!"), 1);
}

}  // namespace
}  // namespace mo
