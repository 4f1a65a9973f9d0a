#include "engine/media/DisplayManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "engine/core/LogManager.h"
#include "engine/media/ResourceManager.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/WindowTest.h"

namespace mo {
namespace {

/// The pixels of [x0, x1) x [y0, y1) that pass `is`: their count and the
/// smallest rectangle holding them (left, top, right, bottom; inclusive).
using Extent = std::array<int, 5>;
template <class Is>
Extent extent(const sf::Image& image, Is is, int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600) {
  Extent e = {0, 9999, 9999, -1, -1};
  for (int y = y0; y < y1; y++) {
    for (int x = x0; x < x1; x++) {
      if (!is(image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)))) continue;
      e = {e[0] + 1, std::min(e[1], x), std::min(e[2], y), std::max(e[3], x), std::max(e[4], y)};
    }
  }
  return e;
}
Extent redExtent(const sf::Image& image, int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600) {
  return extent(image, [](sf::Color c) { return c.r > 100 && c.g < 60 && c.b < 60; }, x0, y0, x1, y1);
}
int pixelsOtherThan(const sf::Image& image, sf::Color c, int x0, int y0, int x1, int y1) {
  return extent(image, [c](sf::Color p) { return p != c; }, x0, y0, x1, y1)[0];
}

class DisplayManagerWindowTest : public test::WindowTest {
 protected:
  /// The red extent of a red 'M' drawn at world (5, 2) on a fresh window.
  Extent glyphExtent(const std::string& extra) {
    display.reset();
    if (startWindow(extra) != 0) return Extent();
    display.drawCh(Vector(5, 2), 'M', RED);
    return redExtent(readBack(*display.getWindow()));
  }

  DisplayManager& display = DisplayManager::getInstance();
};

TEST_F(DisplayManagerWindowTest, WindowOpensAtTheConfiguredSizeAndClosesAtShutDownOrWithoutFont) {
  LogManager::getInstance().setLogLevel(5);
  ASSERT_EQ(startWindow(), 0);
  sf::RenderWindow* p_window = display.getWindow();
  ASSERT_NE(p_window, nullptr);
  EXPECT_EQ(p_window->getSize(), sf::Vector2u(800, 600));
  EXPECT_EQ(windowsTitled(),
            std::vector<std::string>{std::to_string(p_window->getSystemHandle())});
  const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
  EXPECT_EQ(logCount("DisplayManager::startUp(): window resolution (" +
                     std::to_string(desktop.width) + ", " + std::to_string(desktop.height) +
                     ") pixels."),
            1);
  EXPECT_EQ(logCount("DisplayManager::startUp(): successfully started."), 1);

  display.shutDown();
  EXPECT_EQ(display.getWindow(), nullptr);
  EXPECT_TRUE(windowsTitled().empty());

  // A font that cannot be loaded closes the new window at once.
  const std::string missing = tempDir() + "/no-such-font.ttf";
  EXPECT_EQ(startWindow("font_file:" + missing + ","), -1);
  EXPECT_FALSE(display.isStarted());
  EXPECT_EQ(display.getWindow(), nullptr);
  EXPECT_TRUE(windowsTitled().empty());
  EXPECT_EQ(logCount("DisplayManager::startUp(): Unable to load font from file '" + missing + "'."),
            1);
}

TEST_F(DisplayManagerWindowTest, SpriteFromAFileShowsGlyphColourAndCellBackgroundInItsCells) {
  ASSERT_EQ(startWindow("window_background_color:blue,font_scale:1,"), 0);
  ASSERT_EQ(ResourceManager::getInstance().startUp(), 0);
  const std::string file = __FILE__;
  ASSERT_EQ(ResourceManager::getInstance().loadSprite(
                file.substr(0, file.rfind("/tests/")) + "/tests/data/sprites/walker.txt", "walker"),
            0);
  auto* p_walker = new Object;
  ASSERT_EQ(p_walker->setSprite("walker"), 0);
  p_walker->setPosition(Vector(11, 6.5f));  // frame 0, "#M#" over " #M", in cells 10..12 x 6..7
  sf::RenderWindow* p_window = display.getWindow();
  p_window->clear(sf::Color::Black);  // so that the cells' blue backgrounds show
  ASSERT_EQ(p_walker->draw(), 0);
  const sf::Image image = readBack(*p_window);

  // A cell (cx, cy) has its glyph's origin at pixel (10 cx, 20 cy); its
  // 10 x 20 background sits a pixel left and 4 pixels down from there.
  // The red glyphs 'M' stay within their cells.
  for (const auto& [cx, cy] : {std::pair(11, 6), std::pair(12, 7)}) {
    SCOPED_TRACE("'M' in cell " + std::to_string(cx) + "," + std::to_string(cy));
    EXPECT_GT(redExtent(image, 10 * cx - 1, 20 * cy, 10 * cx + 10, 20 * cy + 24)[0], 10);
    EXPECT_EQ(pixelsOtherThan(image, sf::Color::Blue, 10 * cx - 1, 20 * cy + 20, 10 * cx + 9,
                              20 * cy + 24),
              0);
  }
  // The blank of cell (10, 7) is background alone, and nothing is drawn
  // around it where the transparent '#'s are.
  EXPECT_EQ(pixelsOtherThan(image, sf::Color::Blue, 99, 144, 109, 164), 0);
  for (const auto& [x, y] : {std::pair(98, 150), std::pair(109, 150), std::pair(104, 143),
                             std::pair(104, 164), std::pair(104, 130), std::pair(124, 130)}) {
    EXPECT_EQ(image.getPixel(x, y), sf::Color::Black) << "pixel " << x << "," << y;
  }
  // Nothing is drawn outside the sprite's cells.
  EXPECT_EQ(pixelsOtherThan(image, sf::Color::Black, 0, 0, 800, 600),
            pixelsOtherThan(image, sf::Color::Black, 99, 120, 130, 164));

  // Swapping shows the picture and clears to the background.
  EXPECT_EQ(display.swapBuffers(), 0);
  EXPECT_EQ(pixelsOtherThan(readBack(*p_window), sf::Color::Blue, 0, 0, 800, 600), 0);
}

TEST_F(DisplayManagerWindowTest, GlyphFollowsTheViewCornerAndTheFontScale) {
  const Extent scale_one = glyphExtent("font_scale:1,");
  const Extent scale_two = glyphExtent("");  // the default
  ASSERT_GT(scale_one[0], 0);
  EXPECT_GT(scale_two[4] - scale_two[2], scale_one[4] - scale_one[2] + 4);  // twice as tall
  EXPECT_EQ(display.swapBuffers(), 0);
  WorldManager::getInstance().setView(Box(Vector(5, 0), 80, 30));
  EXPECT_EQ(display.drawCh(Vector(10, 2), 'M', RED), 0);
  EXPECT_EQ(redExtent(readBack(*display.getWindow())), scale_two);
}

}  // namespace
}  // namespace mo
