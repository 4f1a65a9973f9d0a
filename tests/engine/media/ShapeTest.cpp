#include "engine/media/Shape.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/core/Config.h"
#include "engine/core/LogManager.h"
#include "engine/media/DisplayManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

class ShapeTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
};

TEST_F(ShapeTest, NewShapeIsAWhiteOpaqueCircleSizedByCellAndFontScale) {
  // Cells of 10 x 20 pixels, font scale 2: 2 x min(10, 20).
  startHeadlessDisplay(
      "window_horizontal_pixels:800,window_vertical_pixels:480,window_horizontal_chars:80,"
      "window_vertical_chars:24,font_scale:2,");
  Shape shape;
  EXPECT_FLOAT_EQ(shape.getSize(), 20.0f);
  EXPECT_EQ(shape.getColor(), WHITE);
  EXPECT_EQ(shape.getOpacity(), 255);
  EXPECT_EQ(shape.getType(), CIRCLE);

  // The default window's cells are 12.8 x 32: the smaller side counts,
  // in whole pixels.
  DisplayManager::getInstance().reset();
  Config::getInstance().reset();
  startHeadlessDisplay("font_scale:2,");
  EXPECT_FLOAT_EQ(Shape().getSize(), 24.0f);
}

TEST_F(ShapeTest, UnknownTypesAreRefusedWithTheirMessage) {
  Shape shape;
  shape.setType(SQUARE);
  shape.setType(3);
  EXPECT_EQ(shape.getType(), SQUARE);
  shape.setType(NO_SHAPE);
  EXPECT_EQ(shape.getType(), NO_SHAPE);
  shape.setType(-2);
  EXPECT_EQ(shape.getType(), NO_SHAPE);
  const std::vector<std::string> log = closedLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Shape::setType(): Unknown shape type 3. Ignoring."),
            1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Shape::setType(): Unknown shape type -2. Ignoring."),
            1);
}

TEST_F(ShapeTest, CirclePointsFollowTheSizeBetweenThreeAndTen) {
  Shape shape;
  for (const auto& [size, points] : {std::pair(2.5f, 3), std::pair(3.0f, 3), std::pair(7.9f, 7),
                                     std::pair(10.0f, 10), std::pair(40.0f, 10)}) {
    SCOPED_TRACE("size " + std::to_string(size));
    shape.setSize(size);
    const Shape::Figure f = shape.figure(Vector(100, 50));
    EXPECT_EQ(f.points, points);
    EXPECT_FLOAT_EQ(f.radius, size);
    EXPECT_EQ(f.origin, Vector(100 - size / 2, 50 - size / 2));
    EXPECT_FLOAT_EQ(f.rotation, 0.0f);
  }
}

TEST_F(ShapeTest, SquareAndTriangleFiguresPlaceTheirOrigins) {
  startHeadlessDisplay("font_scale:4,");
  Shape shape;
  shape.setSize(14.0f);
  shape.setType(SQUARE);
  Shape::Figure f = shape.figure(Vector(100, 50));
  EXPECT_EQ(f.points, 4);
  EXPECT_FLOAT_EQ(f.radius, 3.5f);  // size over the font scale
  EXPECT_FLOAT_EQ(f.rotation, 45.0f);
  EXPECT_EQ(f.origin, Vector(107, 42));

  shape.setType(TRIANGLE);
  f = shape.figure(Vector(100, 50));
  EXPECT_EQ(f.points, 3);
  EXPECT_FLOAT_EQ(f.radius, 7.0f);
  EXPECT_FLOAT_EQ(f.rotation, 0.0f);
  EXPECT_EQ(f.origin, Vector(93, 43));
}

TEST_F(ShapeTest, FillIsTheCustomBytesOrTheEngineColourWithTheOpacity) {
  Shape shape;
  shape.setColor(10, 20, 30);
  shape.setOpacity(77);
  EXPECT_EQ(shape.getColor(), CUSTOM);
  Shape::Figure f = shape.figure(Vector());
  EXPECT_EQ((std::array<int, 4>{f.r, f.g, f.b, f.a}), (std::array<int, 4>{10, 20, 30, 77}));
  shape.setColor(RED);
  f = shape.figure(Vector());
  EXPECT_EQ((std::array<int, 4>{f.r, f.g, f.b, f.a}), (std::array<int, 4>{255, 0, 0, 77}));
}

TEST_F(ShapeTest, DrawingWithoutAWindowOnlyReportsIt) {
  startHeadlessDisplay();
  LogManager::getInstance().setLogLevel(5);
  LogManager::getInstance().writeLog(6, "above the level: left out");
  Shape shape;
  shape.draw(Vector(3, 3));
  EXPECT_EQ(closedLog(), std::vector<std::string>{"Shape::draw(): DisplayManager window not defined."});
}

}  // namespace
}  // namespace mo
