#include "engine/media/Precipitation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/core/EventOut.h"
#include "engine/core/EventStep.h"
#include "engine/core/LogManager.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

/// A world of 400 x 84 cells behind an 80 x 24 view; cells of 12.8 x 32
/// pixels.
class PrecipitationTest : public test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    WorldManager::getInstance().setBoundary(Box(Vector(), 400, 84));
    WorldManager::getInstance().setView(Box(Vector(), 80, 24));
    std::srand(11);
  }
  static Precipitation* make(int direction) {
    return new Precipitation(3.0f, direction, 128, 255, 255, 255);
  }
  /// Whether p lies in [x0, x1) x [y0, y1).
  static bool within(Vector p, float x0, float x1, float y0, float y1) {
    return p.getX() >= x0 && p.getX() < x1 && p.getY() >= y0 && p.getY() < y1;
  }
};

TEST_F(PrecipitationTest, StartsInsideTheBoundaryWhateverItsCorner) {
  // In a narrow world the start's extra scatter of up to 9 cells must
  // not carry any precipitation past the right edge.
  WorldManager::getInstance().setBoundary(Box(Vector(100, 50), 12, 6));
  for (int i = 0; i < 300; i++) {
    const Vector p = make(DRIFT_DOWN)->getPosition();
    ASSERT_TRUE(within(p, 0, 12, 0, 6)) << p.getX() << "," << p.getY();
  }
}

TEST_F(PrecipitationTest, ReentersJustBeyondTheSideItDriftsAwayFrom) {
  // Whole cells 0 to 4 beyond the edge, plus up to a cell of pixels.
  const struct {
    int direction;
    float x0, x1, y0, y1;
  } rows[] = {{DRIFT_UP, 0, 400, 84, 89},
              {DRIFT_DOWN, 0, 400, -4, 1},
              {DRIFT_LEFT, 400, 405, 0, 84},
              {DRIFT_RIGHT, -4, 1, 0, 84}};
  const EventOut out;
  for (const auto& row : rows) {
    Precipitation* p_p = make(row.direction);
    for (int i = 0; i < 200; i++) {
      ASSERT_EQ(p_p->eventHandler(&out), 1);
      const Vector p = p_p->getPosition();
      ASSERT_TRUE(within(p, row.x0, row.x1, row.y0, row.y1))
          << "direction " << row.direction << ": " << p.getX() << "," << p.getY();
    }
  }
  Precipitation* p_p = make(7);
  const Vector before = p_p->getPosition();
  LogManager::getInstance().setLogLevel(1);
  EXPECT_EQ(p_p->eventHandler(&out), -1);
  EXPECT_EQ(p_p->getPosition(), before);
  EXPECT_EQ(closedLog(), std::vector<std::string>{
                             "Precipitation::eventHandler(): warning! Direction 7 not supported."});
}

TEST_F(PrecipitationTest, JitterWobblesWithinAQuarterOfTheBaseSpeedAndNeverExpires) {
  Precipitation* p_p = make(DRIFT_DOWN);
  p_p->setVelocity(Vector(0, 0.25f));
  p_p->setJitter(true);
  const EventStep step(0);
  float widest = 0;
  for (int i = 0; i < 2000; i++) {
    ASSERT_EQ(p_p->eventHandler(&step), 0);
    const Vector v = p_p->getVelocity();
    ASSERT_LE(std::fabs(v.getX()), 0.0625f + 1e-6f) << "step " << i;
    ASSERT_LE(std::fabs(v.getY() - 0.25f), 0.0625f + 1e-6f) << "step " << i;
    widest = std::fmax(widest, std::fabs(v.getX()));
  }
  EXPECT_EQ(p_p->getBaseVelocity(), Vector(0, 0.25f));
  EXPECT_GT(widest, 0.03f);
  WorldManager::getInstance().update();
  EXPECT_EQ(WorldManager::getInstance().objectsOfType("Precipitation").getCount(), 1);
}

}  // namespace
}  // namespace mo
