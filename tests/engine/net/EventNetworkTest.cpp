#include "engine/net/EventNetwork.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using EventNetworkTest = test::EngineTest;

TEST_F(EventNetworkTest, CarriesItsLabelAndTurnsLabelsOutsideMinusOneToThreeIntoUndefined) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  const EventNetwork accepted(NETWORK_ACCEPT);
  EXPECT_EQ(accepted.getType(), "mo-network");
  EXPECT_EQ(accepted.getLabel(), 0);
  EXPECT_EQ(accepted.getSocketIndex(), -1);
  EXPECT_EQ(accepted.getBytes(), 0);
  EXPECT_EQ(EventNetwork(7).getLabel(), NETWORK_UNDEFINED);

  EventNetwork event(NETWORK_DATA);
  event.setSocketIndex(2);
  event.setBytes(100);
  EXPECT_EQ(event.getSocketIndex(), 2);
  EXPECT_EQ(event.getBytes(), 100);
  const struct {
    int label;
    int stored;
  } cases[] = {{-2, -1}, {-1, -1}, {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, -1}};
  for (const auto& c : cases) {
    event.setLabel(3);
    event.setLabel(c.label);
    EXPECT_EQ(event.getLabel(), c.stored) << "label " << c.label;
  }
  LogManager::getInstance().shutDown();
  EXPECT_EQ(logMessages(),
            (std::vector<std::string>{"EventNetwork::setLabel(): Undefined type (7).",
                                      "EventNetwork::setLabel(): Undefined type (-2).",
                                      "EventNetwork::setLabel(): Undefined type (4)."}));
}

}  // namespace
}  // namespace mo
