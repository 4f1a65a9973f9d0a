#include "engine/media/Particle.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "engine/core/EventOut.h"
#include "engine/core/EventStep.h"
#include "engine/core/LogManager.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using ParticleTest = test::WorldTest;

int particles() { return WorldManager::getInstance().objectsOfType("Particle").getCount(); }

TEST_F(ParticleTest, LivesForItsAgeInStepsOrUntilItLeavesTheWorld) {
  Particle* p_particle = new Particle(3.0f, 3, 128, 255, 255, 255);
  const EventStep step(0);
  for (int i = 1; i <= 3; i++) {
    EXPECT_EQ(p_particle->eventHandler(&step), 1);
    WorldManager::getInstance().update();
    EXPECT_EQ(particles(), i < 3 ? 1 : 0) << "step " << i;
  }
  const EventOut out;
  EXPECT_EQ((new Particle(3.0f, 100, 128, 255, 255, 255))->eventHandler(&out), 1);
  WorldManager::getInstance().update();
  EXPECT_EQ(particles(), 0);
}

TEST_F(ParticleTest, TakesIdZeroWithoutUsingUpAnId) {
  const Object* p_before = new Object;
  for (int i = 0; i < 5; i++) EXPECT_EQ((new Particle(3.0f, 10, 255, 1, 2, 3))->getId(), 0);
  Object* p_after = new Object;
  EXPECT_EQ(p_after->getId(), p_before->getId() + 1);
  // A counter stopped at its maximum handed out no new number: nothing
  // goes back, or the next object would repeat an id below it.
  p_after->setId(INT_MAX);
  new Particle(3.0f, 10, 255, 1, 2, 3);
  EXPECT_EQ(Object::getIdCounter(), INT_MAX);
}

TEST_F(ParticleTest, IsASpectralCustomCircleAtAltitudeThree) {
  const Particle* p_particle = new Particle(4.5f, 10, 77, 10, 20, 30);
  const Shape shape = p_particle->getShape();
  EXPECT_EQ(shape.getType(), CIRCLE);
  EXPECT_FLOAT_EQ(shape.getSize(), 4.5f);
  EXPECT_EQ(shape.getColor(), CUSTOM);
  EXPECT_EQ(
      (std::array<int, 4>{shape.getRed(), shape.getGreen(), shape.getBlue(), shape.getOpacity()}),
      (std::array<int, 4>{10, 20, 30, 77}));
  EXPECT_EQ(p_particle->getAltitude(), 3);
  EXPECT_EQ(p_particle->getSolidness(), SPECTRAL);
  EXPECT_EQ(p_particle->getAnimation().getSprite(), nullptr);
}

TEST_F(ParticleTest, AttributeTextWarnsAndCoversOnlyTheObjectAttributes) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  LogManager::getInstance().setLogLevel(1);
  Particle* p_particle = new Particle(3.0f, 40, 255, 1, 2, 3);
  Object* p_plain = new Object;
  p_plain->setId(0);
  p_plain->setType("Particle");
  p_plain->setShape(p_particle->getShape());
  EXPECT_EQ(p_particle->serialize("ID,TYPE,SHAPE,"), p_plain->serialize("ID,TYPE,SHAPE,"));
  EXPECT_EQ(p_particle->deserialize("pos-x:7,pos-y:8,"), 0);
  EXPECT_EQ(p_particle->getPosition(), Vector(7, 8));
  EXPECT_EQ(p_particle->getAge(), 40);
  const std::vector<std::string> log = closedLog();
  EXPECT_EQ(std::count(log.begin(), log.end(),
                       "Particle::serialize(): Warning!  Particles attributes are not serialized"),
            1);
  EXPECT_EQ(std::count(log.begin(), log.end(),
                       "Particle::deserialize(): Warning! Cannot deserialize particles."),
            1);
}

}  // namespace
}  // namespace mo
