#include "engine/media/addParticles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/Precipitation.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

class AddParticlesTest : public test::WorldTest {
 protected:
  /// An empty world of h x 84 cells behind the game's 80 x 24 view.
  static void restartWorld(float h) {
    WorldManager::getInstance().reset();
    ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
    WorldManager::getInstance().setBoundary(Box(Vector(), h, 84));
    WorldManager::getInstance().setView(Box(Vector(), 80, 24));
  }
};

TEST_F(AddParticlesTest, EachKindFillsTheBoundaryNotTheViewDriftingItsWay) {
  const struct {
    int kind, direction;
    float density, h;
    int count;
    float min_size, max_size;
    int grey, opacity, altitude;
    bool jitter;
    Vector unit;
  } rows[] = {{0, DRIFT_DOWN, 2.0f, 400, 1120, 3.0f, 4.9f, 255, 128, 4, true, {0, 1}},
              {0, DRIFT_UP, 2.0f, 120, 336, 3.0f, 4.9f, 255, 128, 4, true, {0, -1}},
              {1, DRIFT_LEFT, 1.0f, 400, 560, 3.0f, 3.0f, 128, 128, 4, false, {-1, 0}},
              {2, DRIFT_RIGHT, 1.0f, 400, 280, 20.0f / 13, 5.0f, 255, 255, 0, false, {1, 0}}};
  for (const auto& row : rows) {
    SCOPED_TRACE("kind " + std::to_string(row.kind) + ", width " + std::to_string(row.h));
    restartWorld(row.h);
    std::srand(5);
    ASSERT_EQ(addParticles(row.kind, row.direction, row.density), 0);
    const ObjectList all = WorldManager::getInstance().objectsOfType("Precipitation");
    ASSERT_EQ(all.getCount(), row.count);
    for (ObjectListIterator it(&all); !it.isDone(); it.next()) {
      const auto* p_p = static_cast<const Precipitation*>(it.currentObject());
      const Shape shape = p_p->getShape();
      ASSERT_GE(shape.getSize(), row.min_size - 1e-5f);
      ASSERT_LE(shape.getSize(), row.max_size + 1e-5f);
      ASSERT_EQ(shape.getRed(), row.grey);
      ASSERT_EQ(shape.getOpacity(), row.opacity);
      ASSERT_EQ(p_p->getAltitude(), row.altitude);
      ASSERT_EQ(p_p->getJitter(), row.jitter);
      // Kind 2: the larger, the faster (20 / r pixels at 1 / r cells a step).
      const float speed = row.kind == 0 ? 0.25f : row.kind == 1 ? 0.75f : shape.getSize() / 20;
      ASSERT_EQ(p_p->getDirection(), row.unit);
      ASSERT_FLOAT_EQ(p_p->getSpeed(), speed);
    }
  }
}

TEST_F(AddParticlesTest, RefusesUnknownDirectionsAndParticlesTheWorldCannotTake) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  restartWorld(400);
  EXPECT_EQ(addParticles(1, 7, 1.0f), -1);
  EXPECT_EQ(addParticles(5, 7, 1.0f), 0);
  EXPECT_EQ(addParticles(0, 7, 0.0f), 0);
  EXPECT_EQ(addParticles(0, 7, std::nanf("")), 0);
  EXPECT_TRUE(WorldManager::getInstance().getAllObjects(true).isEmpty());
  // A stopped world keeps its boundary but takes no objects; nothing
  // would ever delete them.
  WorldManager::getInstance().shutDown();
  EXPECT_EQ(addParticles(0, DRIFT_DOWN, 1.0f), -1);
  EXPECT_EQ(closedLog(),
            (std::vector<std::string>{"addParticles(): Error! Direction 7 not supported.",
                                      "addParticles(): Error!  Unable to create new Particle!"}));
}

}  // namespace
}  // namespace mo
