#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/media/DisplayManager.h"
#include "engine/media/Shape.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/WindowTest.h"

namespace mo {
namespace {

/// The pixels of colour c: their count and the smallest rectangle holding
/// them (left, top, right, bottom; all inclusive).
using Extent = std::array<int, 5>;
Extent extentOf(const sf::Image& image, sf::Color c) {
  Extent e = {0, 9999, 9999, -1, -1};
  const sf::Vector2u size = image.getSize();
  for (unsigned y = 0; y < size.y; y++) {
    for (unsigned x = 0; x < size.x; x++) {
      if (image.getPixel(x, y) != c) continue;
      const int ix = static_cast<int>(x);
      const int iy = static_cast<int>(y);
      e = {e[0] + 1, std::min(e[1], ix), std::min(e[2], iy), std::max(e[3], ix),
           std::max(e[4], iy)};
    }
  }
  return e;
}

/// Whether every side of the extent lies within one pixel of the
/// expected rectangle (left, top, right, bottom).
::testing::AssertionResult near(const Extent& e, std::array<int, 4> want) {
  for (int i = 0; i < 4; i++) {
    if (std::abs(e[i + 1] - want[i]) > 1) {
      return ::testing::AssertionFailure()
             << "extent " << e[1] << "," << e[2] << " - " << e[3] << "," << e[4] << ", wanted "
             << want[0] << "," << want[1] << " - " << want[2] << "," << want[3];
    }
  }
  return ::testing::AssertionSuccess();
}

class ShapeWindowTest : public test::WindowTest {
 protected:
  /// A fresh black window with one shape drawn at world cell `where`
  /// (cells of 10 x 20 pixels, font scale 1), then read back.
  sf::Image drawn(Shape shape, Vector where, Shape* p_before = nullptr) {
    sf::RenderWindow* p_window = DisplayManager::getInstance().getWindow();
    p_window->clear(sf::Color::Black);
    if (p_before) p_before->draw(Vector(70, 25));
    shape.draw(where);
    return readBack(*p_window);
  }
};

TEST_F(ShapeWindowTest, FiguresAppearAtTheirPixelPlacesInTheirColours) {
  ASSERT_EQ(startWindow("font_scale:1,"), 0);
  ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
  WorldManager::getInstance().setView(Box(Vector(), 80, 30));
  const sf::Color teal(10, 20, 30);

  // A circle of size 10 at pixel (200, 200): a ten-sided figure of radius
  // 10 whose box starts 5 pixels up and left of that pixel.
  Shape circle;
  circle.setSize(10);
  circle.setColor(10, 20, 30);
  Extent e = extentOf(drawn(circle, Vector(20, 10)), teal);
  EXPECT_TRUE(near(e, {195, 195, 214, 214}));
  EXPECT_GT(e[0], 250);

  // A square of size 10 stands upright: a 14 x 14 block, completely filled.
  Shape square = circle;
  square.setType(SQUARE);
  square.setColor(RED);
  e = extentOf(drawn(square, Vector(20, 10)), sf::Color::Red);
  EXPECT_TRUE(near(e, {198, 201, 211, 215}));
  EXPECT_GE(e[0], (e[3] - e[1] + 1) * (e[4] - e[2] + 1) - 4);

  // A triangle of size 20 at pixel (400, 200), point up.
  Shape triangle;
  triangle.setType(TRIANGLE);
  triangle.setSize(20);
  triangle.setColor(GREEN);
  const sf::Image image = drawn(triangle, Vector(40, 10));
  e = extentOf(image, sf::Color::Green);
  EXPECT_TRUE(near(e, {391, 190, 408, 204}));
  EXPECT_EQ(image.getPixel(392, 191), sf::Color::Black);  // beside the apex
  EXPECT_EQ(image.getPixel(392, 204), sf::Color::Green);  // the base is wide

  // The shared figure is set up anew: a circle after a square is not turned.
  e = extentOf(drawn(circle, Vector(20, 10), &square), teal);
  EXPECT_TRUE(near(e, {195, 195, 214, 214}));
}

TEST_F(ShapeWindowTest, ObjectDrawsItsShapeOnlyWhenItHasOne) {
  ASSERT_EQ(startWindow("font_scale:1,"), 0);
  ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
  WorldManager::getInstance().setView(Box(Vector(10, 0), 80, 30));
  sf::RenderWindow* p_window = DisplayManager::getInstance().getWindow();

  auto* p_o = new Object;
  p_o->setPosition(Vector(30, 10));
  p_window->clear(sf::Color::Black);
  EXPECT_EQ(p_o->draw(), 0);
  EXPECT_EQ(extentOf(readBack(*p_window), sf::Color::Black)[0], 800 * 600);

  Shape shape;
  shape.setSize(10);
  shape.setColor(BLUE);
  p_o->setShape(shape);
  p_window->clear(sf::Color::Black);
  EXPECT_EQ(p_o->draw(), 0);
  // World (30, 10) is view (20, 10): the same place as above.
  EXPECT_TRUE(near(extentOf(readBack(*p_window), sf::Color::Blue), {195, 195, 214, 214}));
}

}  // namespace
}  // namespace mo
