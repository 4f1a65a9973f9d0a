#include "engine/media/Shape.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

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

TEST_F(ShapeTest, NewShapeIsAWhiteOpaqueCircleSizedByTheSmallerCellSideInWholePixels) {
  // Font scale 2 times the smaller side: cells of 10 x 20 pixels, then the
  // default window's 12.8 x 32.
  for (const auto& [items, size] :
       {std::pair("window_horizontal_pixels:800,window_vertical_pixels:480,"
                  "window_horizontal_chars:80,window_vertical_chars:24,font_scale:2,",
                  20.0f),
        std::pair("font_scale:2,", 24.0f)}) {
    SCOPED_TRACE(items);
    DisplayManager::getInstance().reset();
    Config::getInstance().reset();
    startHeadlessDisplay(items);
    const Shape shape;
    EXPECT_FLOAT_EQ(shape.getSize(), size);
    EXPECT_EQ(shape.getColor(), WHITE);
    EXPECT_EQ(shape.getOpacity(), 255);
    EXPECT_EQ(shape.getType(), CIRCLE);
  }
}

TEST_F(ShapeTest, UnknownTypesAreRefusedWithTheirMessage) {
  Shape shape;
  shape.setType(SQUARE);
  shape.setType(3);
  EXPECT_EQ(shape.getType(), SQUARE);
  shape.setType(NO_SHAPE);
  shape.setType(-2);
  EXPECT_EQ(shape.getType(), NO_SHAPE);
  EXPECT_EQ(closedLog(), (std::vector<std::string>{
                             "Shape::setType(): Unknown shape type 3. Ignoring.",
                             "Shape::setType(): Unknown shape type -2. Ignoring."}));
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

TEST_F(ShapeTest, SquareAndTriangleFiguresPlaceTheirOriginsAndWithoutAWindowNothingIsDrawn) {
  startHeadlessDisplay("font_scale:4,");
  Shape shape;
  shape.setSize(14.0f);
  // The square's radius is the size over the font scale.
  for (const auto& [type, points, radius, rotation, origin] :
       {std::tuple(SQUARE, 4, 3.5f, 45.0f, Vector(107, 42)),
        std::tuple(TRIANGLE, 3, 7.0f, 0.0f, Vector(93, 43))}) {
    SCOPED_TRACE("type " + std::to_string(type));
    shape.setType(type);
    const Shape::Figure f = shape.figure(Vector(100, 50));
    EXPECT_EQ(f.points, points);
    EXPECT_FLOAT_EQ(f.radius, radius);
    EXPECT_FLOAT_EQ(f.rotation, rotation);
    EXPECT_EQ(f.origin, origin);
  }
  LogManager::getInstance().setLogLevel(5);
  shape.draw(Vector(3, 3));
  EXPECT_EQ(closedLog(),
            std::vector<std::string>{"Shape::draw(): DisplayManager window not defined."});
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

}  // namespace
}  // namespace mo
