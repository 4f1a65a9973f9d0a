#include "engine/media/DisplayManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "engine/core/LogManager.h"
#include "engine/media/ResourceManager.h"
#include "engine/media/Shape.h"
#include "engine/world/Object.h"
#include "engine/world/ViewObject.h"
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

  const unsigned long handle = p_window->getSystemHandle();
  display.shutDown();
  EXPECT_EQ(display.getWindow(), nullptr);
  EXPECT_TRUE(windowsTitled().empty());
  // A window that is gone reads as no picture, not as an X error.
  EXPECT_EQ(grabWindow(handle).getSize(), sf::Vector2u(0, 0));

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
  display.flush();                    // the window is drawn into directly:
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
  const Extent scale_half = glyphExtent("font_scale:0.5,");
  const Extent scale_one = glyphExtent("font_scale:1,");
  EXPECT_EQ(display.getCharacterSize(), 10u);
  ASSERT_GT(scale_half[0], 0);
  EXPECT_GT(scale_one[4] - scale_one[2], scale_half[4] - scale_half[2] + 2);  // twice as tall
  EXPECT_EQ(display.swapBuffers(), 0);
  WorldManager::getInstance().setView(Box(Vector(5, 0), 80, 30));
  EXPECT_EQ(display.drawCh(Vector(10, 2), 'M', RED), 0);
  EXPECT_EQ(redExtent(readBack(*display.getWindow())), scale_one);
}

TEST_F(DisplayManagerWindowTest, GlyphsShrinkOnlyAsFarAsNeededForNoneToReachIntoItsNeighbour) {
  // The game's cells, 12.8 x 32 pixels: at font scale 2 the glyphs would
  // be 25 pixels, half as wide again as a cell; and the tests' cells,
  // 10 x 20 pixels. Glyphs that fit a cell's width sit low enough for the
  // tall ones to stay out of the cell above. Both ways of drawing.
  struct Case {
    std::string config;
    float cell_width, cell_height;
    unsigned size;
    float drop;
  };
  for (const Case& c : std::vector<Case>{
           {"window_horizontal_pixels:1024,window_vertical_pixels:768,window_horizontal_chars:80,"
            "window_vertical_chars:24,",
            12.8f, 32, 16, 5},
           {"font_scale:1,", 10, 20, 10, 5}}) {
    for (const bool batched : {true, false}) {
      SCOPED_TRACE(c.config + (batched ? " batched" : " one by one"));
      LogManager::getInstance().setLogLevel(1);
      display.reset();
      ASSERT_EQ(startWindow(c.config + "batched_drawing:" + (batched ? "true," : "false,")), 0);
      EXPECT_EQ(display.getCharacterSize(), c.size);
      EXPECT_EQ(display.getGlyphDrop(), c.drop);
      // Every printable character alone, red on its blue background, in
      // every other cell: its ink stays within its background.
      display.getWindow()->clear(sf::Color::Black);
      for (int ch = '!'; ch <= '~'; ch++) {
        const int i = ch - '!';
        display.drawCh(Vector(static_cast<float>(2 * (i % 38) + 1), static_cast<float>(2 * (i / 38) + 1)),
                       static_cast<char>(ch), RED);
      }
      const sf::Image image = readBack(*display.getWindow());
      const auto is_ink = [](sf::Color p) { return p.r > 0; };
      for (int ch = '!'; ch <= '~'; ch++) {
        const int i = ch - '!';
        const float left = c.cell_width * (static_cast<float>(2 * (i % 38) + 1) - 0.1f);
        const float top = c.cell_height * (static_cast<float>(2 * (i / 38) + 1) + 0.2f);
        const Extent ink = extent(image, is_ink, static_cast<int>(left - c.cell_width / 2),
                                  static_cast<int>(top - c.cell_height / 2),
                                  static_cast<int>(left + 1.5f * c.cell_width),
                                  static_cast<int>(top + 1.5f * c.cell_height));
        SCOPED_TRACE(std::string("glyph '") + static_cast<char>(ch) + "'");
        // A pixel belongs to the cell that holds its centre.
        EXPECT_GT(ink[0], 4);
        EXPECT_GE(static_cast<float>(ink[1]) + 0.5f, left);
        EXPECT_LE(static_cast<float>(ink[3]) + 0.5f, left + c.cell_width);
        EXPECT_GE(static_cast<float>(ink[2]) + 0.5f, top);
        EXPECT_LE(static_cast<float>(ink[4]) + 0.5f, top + c.cell_height);
      }
    }
  }
  EXPECT_EQ(logCount("DisplayManager::startUp(): character size 16, not 25, so glyphs fit cells."),
            2);
}

/// Cell sizes and font scales for the engine's own glyphs: the tests'
/// 10 x 20 cells and the game's 12.8 x 32, each at two font scales.
struct CellCase {
  std::string config;
  float width, height;
};
const std::vector<CellCase> CELL_CASES = {
    {"font_scale:1,", 10, 20},
    {"font_scale:2,", 10, 20},
    {"window_horizontal_pixels:1024,window_vertical_pixels:768,window_vertical_chars:24,"
     "font_scale:1,",
     12.8f, 32},
    {"window_horizontal_pixels:1024,window_vertical_pixels:768,window_vertical_chars:24,"
     "font_scale:2,",
     12.8f, 32},
};

/// The first pixel column (or row) whose centre lies at or past edge.
int firstPixelFrom(float edge) { return static_cast<int>(std::ceil(edge - 0.5f)); }

TEST_F(DisplayManagerWindowTest, BoxDrawingLinesMeetAcrossEveryEdgeOfTheirCells) {
  // Every shared edge of these boxes has lines crossing it.
  const std::vector<std::u32string> boxes = {U"\u250C\u252C\u2510\u251C\u253C\u2524\u2514\u2534\u2518",
                                             U"\u250F\u2533\u2513\u2523\u254B\u252B\u2517\u253B\u251B",
                                             U"\u2554\u2566\u2557\u2560\u256C\u2563\u255A\u2569\u255D",
                                             U"\u2552\u2564\u2555\u255E\u256A\u2561\u2558\u2567\u255B"};
  for (const CellCase& c : CELL_CASES) {
    display.reset();
    ASSERT_EQ(startWindow(c.config), 0);
    display.getWindow()->clear(sf::Color::Black);
    for (std::size_t b = 0; b < boxes.size(); b++) {
      for (int i = 0; i < 9; i++) {
        display.drawCh(Vector(static_cast<float>(4 * b + 1 + i % 3), static_cast<float>(1 + i / 3)),
                       boxes[b][static_cast<std::size_t>(i)], RED);
      }
    }
    const sf::Image image = readBack(*display.getWindow());
    const auto red = [&image](int x, int y) {
      return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).r > 0;
    };
    for (std::size_t b = 0; b < boxes.size(); b++) {
      // Each shared edge: the pixels just before it and just after it
      // along the edge, over the length of one cell.
      for (int k = 0; k < 12; k++) {
        const bool vertical = k < 6;  // an edge between columns
        const int cx = static_cast<int>(4 * b + 1) + (vertical ? k % 2 : k % 3);
        const int cy = 1 + (vertical ? k / 2 : k / 3 % 2);
        SCOPED_TRACE(c.config + " box " + std::to_string(b) + (vertical ? " column edge " : " row edge ") +
                     std::to_string(cx) + "," + std::to_string(cy));
        const float left = c.width * (static_cast<float>(cx) - 0.1f);
        const float top = c.height * (static_cast<float>(cy) + 0.2f);
        const int after = firstPixelFrom(vertical ? left + c.width : top + c.height);
        const int from = firstPixelFrom(vertical ? top : left);
        const int to = firstPixelFrom(vertical ? top + c.height : left + c.width);
        int crossings = 0;
        for (int along = from; along < to; along++) {
          const bool before_ink = vertical ? red(after - 1, along) : red(along, after - 1);
          const bool after_ink = vertical ? red(after, along) : red(along, after);
          EXPECT_EQ(before_ink, after_ink) << "at " << along;
          crossings += before_ink && after_ink;
        }
        EXPECT_GT(crossings, 0);
      }
    }
  }
}

TEST_F(DisplayManagerWindowTest, BlockElementsCoverTheirFractionOfTheCellWithinAPixel) {
  // Each block's rectangles in eighths of the cell: left, top, right, bottom.
  using Rects = std::vector<std::array<int, 4>>;
  std::vector<std::pair<char32_t, Rects>> blocks = {{0x2580, {{0, 0, 8, 4}}},
                                                    {0x2590, {{4, 0, 8, 8}}},
                                                    {0x2594, {{0, 0, 8, 1}}},
                                                    {0x2595, {{7, 0, 8, 8}}}};
  for (int k = 1; k <= 8; k++) blocks.push_back({static_cast<char32_t>(0x2580 + k), {{0, 8 - k, 8, 8}}});
  for (int k = 1; k <= 7; k++) blocks.push_back({static_cast<char32_t>(0x2590 - k), {{0, 0, k, 8}}});
  // Quadrants: upper left 1, upper right 2, lower left 4, lower right 8.
  const int quadrants[] = {4, 8, 1, 13, 9, 7, 11, 2, 6, 14};
  for (int q = 0; q < 10; q++) {
    Rects rects;
    for (int bit = 0; bit < 4; bit++) {
      if (quadrants[q] & (1 << bit)) rects.push_back({4 * (bit % 2), 4 * (bit / 2), 4 * (bit % 2) + 4, 4 * (bit / 2) + 4});
    }
    blocks.push_back({static_cast<char32_t>(0x2596 + q), rects});
  }
  for (const CellCase& c : CELL_CASES) {
    display.reset();
    ASSERT_EQ(startWindow(c.config), 0);
    display.getWindow()->clear(sf::Color::Black);
    for (std::size_t i = 0; i < blocks.size() + 3; i++) {
      const char32_t code = i < blocks.size() ? blocks[i].first : static_cast<char32_t>(0x2591 + i - blocks.size());
      display.drawCh(Vector(static_cast<float>(2 * (i % 30) + 1), static_cast<float>(2 * (i / 30) + 1)), code, RED);
    }
    const sf::Image image = readBack(*display.getWindow());
    for (std::size_t i = 0; i < blocks.size() + 3; i++) {
      const float left = c.width * (static_cast<float>(2 * (i % 30) + 1) - 0.1f);
      const float top = c.height * (static_cast<float>(2 * (i / 30) + 1) + 0.2f);
      SCOPED_TRACE(c.config + " block " + std::to_string(i));
      // A pixel is inked when its centre lies in a rectangle; one within
      // a pixel of a rectangle's edge may go either way.
      const auto inside = [&](float x, float y) {
        const float u = (x - left) * 8 / c.width, v = (y - top) * 8 / c.height;
        for (const auto& r : blocks[i].second) {
          if (u >= static_cast<float>(r[0]) && u < static_cast<float>(r[2]) &&
              v >= static_cast<float>(r[1]) && v < static_cast<float>(r[3])) return true;
        }
        return false;
      };
      int wrong = 0;
      long level = 0, pixels = 0;
      for (int y = firstPixelFrom(top); y < firstPixelFrom(top + c.height); y++) {
        for (int x = firstPixelFrom(left); x < firstPixelFrom(left + c.width); x++) {
          const int r = image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y)).r;
          level += r, pixels++;
          if (i >= blocks.size()) continue;
          const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
          const bool expected = inside(px, py);
          const bool near_edge = inside(px - 1, py) != expected || inside(px + 1, py) != expected ||
                                 inside(px, py - 1) != expected || inside(px, py + 1) != expected;
          wrong += (r == 255) != expected && !near_edge;
          wrong += r != 0 && r != 255;
        }
      }
      EXPECT_EQ(wrong, 0);
      if (i >= blocks.size()) {  // the shades: a quarter, half and three quarters of the colour
        EXPECT_NEAR(static_cast<double>(level) / static_cast<double>(pixels),
                    255.0 * static_cast<double>(i - blocks.size() + 1) / 4, 2.0);
      }
    }
  }
}

TEST_F(DisplayManagerWindowTest, GlyphsBeyondAsciiComeFromTheFontAndMissingOnesShowAHollowBox) {
  ASSERT_EQ(startWindow(), 0);
  display.getWindow()->clear(sf::Color::Black);
  // e acute from the font, a smiley the font lacks, and a blank.
  const char32_t codes[] = {U'\u00E9', U'\U0001F642', U'\u00A0'};
  for (int i = 0; i < 3; i++) display.drawCh(Vector(static_cast<float>(2 * i + 1), 1), codes[i], RED);
  const sf::Image image = readBack(*display.getWindow());
  const Extent accent = redExtent(image, 9, 24, 19, 44);
  const Extent box = redExtent(image, 29, 24, 39, 44);
  EXPECT_GT(accent[0], 10);
  // The hollow box: a frame of whole lines a fifth of the cell in.
  EXPECT_EQ(box, (Extent{32, 31, 28, 36, 39}));
  EXPECT_EQ(redExtent(image, 49, 24, 59, 44)[0], 0);
}

/// Scenes drawn once character by character and once batched.
using Scene = void (*)(const DisplayManager& display);

// Every byte, blanks, controls and those beyond ASCII too.
void fullScreen(const DisplayManager& display) {
  for (int y = 0; y < 30; y++) {
    for (int x = 0; x < 80; x++) {
      display.drawCh(Vector(static_cast<float>(x), static_cast<float>(y)),
                     static_cast<char>((x * 7 + y * 13) % 256), static_cast<Color>((x + y) % 8));
    }
  }
}

// Blocks of characters over each other at fractional positions, in
// bytes that are no engine colour too.
void overlappingObjects(const DisplayManager& display) {
  const float corners[][2] = {{3.5f, 2.25f}, {5.3f, 3.7f}, {6.75f, 4.1f}, {40.01f, 20.99f}};
  for (int i = 0; i < 4; i++) {
    for (int y = 0; y < 5; y++) {
      for (int x = 0; x < 9; x++) {
        display.drawCh(Vector(corners[i][0] + static_cast<float>(x),
                              corners[i][1] + static_cast<float>(y)),
                       static_cast<char>('A' + (x + y + i) % 26),
                       static_cast<unsigned char>(60 * i), 200, static_cast<unsigned char>(40 * x));
      }
    }
  }
}

void hudOverLevel(const DisplayManager& display) {
  for (int y = 0; y < 30; y += 2) {
    display.drawString(Vector(0.5f, static_cast<float>(y)), std::string(79, '#'), LEFT_JUSTIFIED,
                       BLUE);
  }
  for (const ViewObjectLocation where : {TOP_LEFT, TOP_CENTER, BOTTOM_RIGHT}) {
    auto* p_hud = new ViewObject;
    p_hud->setLocation(where);
    p_hud->setViewString("Health");
    p_hud->setValue(88);
    p_hud->draw();
  }
}

// Every glyph the engine draws, a missing one and a few from the font,
// over each other at fractional positions too.
void engineGlyphs(const DisplayManager& display) {
  for (char32_t code = 0x2500; code <= 0x259F; code++) {
    const int i = static_cast<int>(code - 0x2500);
    display.drawCh(Vector(static_cast<float>(i % 40) * 1.5f, static_cast<float>(i / 40) * 2.25f), code,
                   static_cast<Color>(1 + i % 7));
  }
  display.drawString(Vector(3.3f, 20.7f), "\u00E9\u03A9\u2190\U0001F642\uFFFD\x01", LEFT_JUSTIFIED, WHITE);
}

void shapesBetweenCharacters(const DisplayManager& display) {
  Shape shape;
  shape.setSize(12);
  for (int i = 0; i < 9; i++) {
    const Vector at(5.0f + 8.3f * static_cast<float>(i), 10.0f + 1.7f * static_cast<float>(i));
    display.drawString(at, "x8@", CENTER_JUSTIFIED, GREEN);
    shape.setType(i % 3);
    shape.setColor(static_cast<unsigned char>(30 * i), 90, 250);
    shape.setOpacity(static_cast<unsigned char>(255 - 25 * i));
    shape.draw(at);
    display.drawCh(Vector(at.getX() + 0.5f, at.getY()), 'W', YELLOW);
  }
}

// Characters, blanks and engine glyphs in random order at whole and
// fractional cells, alone and over each other: the batch leaves out the
// backgrounds of cells nothing was drawn on yet, and only those.
template <unsigned int SEED>
void randomCells(const DisplayManager& display) {
  std::mt19937 random(SEED);
  const char32_t codes[] = {'M', 'j', '|', ' ', '#', 'W', 0x2588, 0x253C, 0x2592, 0x00E9};
  for (int i = 0; i < 1200; i++) {
    const bool whole = random() % 2 == 0;
    const auto at = [&](int cells) {
      return whole ? static_cast<float>(static_cast<int>(random() % cells))
                   : static_cast<float>(random() % (cells * 100 + 200)) / 100.0f - 1.0f;
    };
    const float x = at(80);
    display.drawCh(Vector(x, at(30)), codes[random() % 10], static_cast<Color>(random() % 8));
  }
}

TEST_F(DisplayManagerWindowTest, BatchedDrawingShowsThePictureOfCharacterByCharacterDrawing) {
  const std::vector<Scene> scenes = {fullScreen,      overlappingObjects, hudOverLevel,
                                     shapesBetweenCharacters, engineGlyphs, randomCells<1>,
                                     randomCells<2>,  randomCells<3>,     randomCells<4>};
  std::vector<sf::Image> pictures[2];
  for (const bool batched : {false, true}) {
    display.reset();
    ASSERT_EQ(startWindow(std::string("batched_drawing:") + (batched ? "true," : "false,")), 0);
    ASSERT_EQ(display.isBatched(), batched);
    for (const Scene scene : scenes) {
      scene(display);
      pictures[batched].push_back(readBack(*display.getWindow()));
      EXPECT_EQ(display.swapBuffers(), 0);
      // One call for all, or two for each character and one for each shape.
      EXPECT_TRUE(batched ? display.getFrameDrawCalls() == 1 : display.getFrameDrawCalls() > 50);
    }
  }
  for (std::size_t i = 0; i < scenes.size(); i++) {
    SCOPED_TRACE("scene " + std::to_string(i));
    // Both ways hand the same vertices, colours and texture to the same
    // rasteriser; only at fractional positions does the window's own
    // transform (one by one) round the last bit of a position otherwise
    // than the batch, which adds it beforehand: a smoothed edge's blend
    // may then differ by one level of 255.
    const sf::Uint8* p_one_by_one = pictures[0][i].getPixelsPtr();
    EXPECT_TRUE(std::equal(p_one_by_one, p_one_by_one + 800 * 600 * 4, pictures[1][i].getPixelsPtr(),
                           [](sf::Uint8 a, sf::Uint8 b) { return std::abs(a - b) <= 1; }));
  }
}

TEST_F(DisplayManagerWindowTest, ScreenshotHoldsTheWindowsPictureNowOrAtTheNextSwap) {
  ASSERT_EQ(startWindow(), 0);
  display.drawString(Vector(3, 4), "Shot", LEFT_JUSTIFIED, RED);
  const std::string now = tempDir() + "/now.png", at_swap = tempDir() + "/swap.png";
  ASSERT_EQ(display.saveScreenshot(now), 0);
  EXPECT_EQ(logCount("DisplayManager::saveScreenshot(): saved '" + now + "'."), 1);
  const sf::Image window = readBack(*display.getWindow());
  ASSERT_GT(redExtent(window)[0], 20);
  display.requestScreenshot(at_swap);
  ASSERT_EQ(display.swapBuffers(), 0);
  for (const std::string& file : {now, at_swap}) {
    sf::Image saved;
    ASSERT_TRUE(saved.loadFromFile(file)) << file;
    ASSERT_EQ(saved.getSize(), window.getSize());
    EXPECT_TRUE(std::equal(saved.getPixelsPtr(), saved.getPixelsPtr() + 800 * 600 * 4,
                           window.getPixelsPtr()))
        << file;
  }
  const std::string bad = tempDir() + "/no-such-dir/x.png";
  EXPECT_EQ(display.saveScreenshot(bad), -1);
  EXPECT_EQ(logCount("DisplayManager::saveScreenshot(): cannot write '" + bad + "'."), 1);
}

TEST_F(DisplayManagerWindowTest, ResizedWindowShowsThePictureScaledCentredAndMapsPixelsToCells) {
  // 800 x 600 pixels (80 x 30 cells) into each window size: the scale,
  // the picture's left and top edges, then a window pixel and its cell.
  struct Case {
    std::string extra;
    unsigned width, height;
    float scale_x, scale_y;
    int left, top;
    sf::Vector2i pixel;
    Vector cell;
  };
  for (const Case& c : std::vector<Case>{
           {"", 1600, 900, 1.5f, 1.5f, 200, 0, {200 + 158, 315}, Vector(10.5f, 10.5f)},
           {"", 400, 600, 0.5f, 0.5f, 0, 150, {52, 150 + 105}, Vector(10.4f, 10.5f)},
           {"", 1000, 1000, 1.25f, 1.25f, 0, 125, {131, 125 + 262}, Vector(10.5f, 10.5f)},
           {"", 1600, 900, 1.5f, 1.5f, 200, 0, {10, 899}, Vector(0, 29.95f)},  // bar
           {"window_integer_scaling:true,", 1700, 1300, 2, 2, 50, 50, {50 + 210, 50 + 420},
            Vector(10.5f, 10.5f)},
           {"window_keep_aspect:false,", 1600, 900, 2, 1.5f, 0, 0, {210, 315}, Vector(10.5f, 10.5f)},
       }) {
    SCOPED_TRACE(c.extra + std::to_string(c.width) + "x" + std::to_string(c.height));
    display.reset();
    ASSERT_EQ(startWindow("window_background_color:blue," + c.extra), 0);
    sf::RenderWindow* p_window = display.getWindow();
    ASSERT_TRUE(xdotool("windowsize --sync " + std::to_string(p_window->getSystemHandle()) + " " +
                        std::to_string(c.width) + " " + std::to_string(c.height)));
    sf::Event event{};
    while (p_window->getSize() != sf::Vector2u(c.width, c.height) && p_window->waitEvent(event)) {
    }
    ASSERT_EQ(display.fitToWindow(static_cast<int>(c.width), static_cast<int>(c.height)), 0);
    ASSERT_EQ(display.swapBuffers(), 0);  // the next frame is the first at the new size
    display.drawCh(Vector(5, 2), 'M', RED);
    const sf::Image image = readBack(*p_window);
    ASSERT_EQ(image.getSize(), sf::Vector2u(c.width, c.height));
    // The glyph of cell (5, 2), unscaled within x 49..60, y 40..64.
    const Extent red = redExtent(image, 0, 0, static_cast<int>(c.width), static_cast<int>(c.height));
    ASSERT_GT(red[0], 0);
    EXPECT_GE(red[1], c.left + static_cast<int>(49 * c.scale_x) - 1);
    EXPECT_LE(red[3], c.left + static_cast<int>(60 * c.scale_x) + 1);
    EXPECT_GE(red[2], c.top + static_cast<int>(40 * c.scale_y) - 1);
    EXPECT_LE(red[4], c.top + static_cast<int>(64 * c.scale_y) + 1);
    // Nothing but the background colour in the bars.
    EXPECT_EQ(pixelsOtherThan(image, sf::Color::Blue, 0, 0, c.left, static_cast<int>(c.height)), 0);
    EXPECT_EQ(pixelsOtherThan(image, sf::Color::Blue, 0, 0, static_cast<int>(c.width), c.top), 0);
    const Vector cell = display.pixelToCell(c.pixel.x, c.pixel.y);
    EXPECT_NEAR(cell.getX(), c.cell.getX(), 0.1f);
    EXPECT_NEAR(cell.getY(), c.cell.getY(), 0.1f);
  }
  EXPECT_EQ(display.fitToWindow(0, 10), -1);
}

}  // namespace
}  // namespace mo
