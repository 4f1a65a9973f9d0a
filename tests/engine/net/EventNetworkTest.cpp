#include "engine/net/EventNetwork.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using EventNetworkTest = test::EngineTest;

TEST_F(EventNetworkTest, KeepsLabelsFromMinusOneToThreeAndLogsOthersAsUndefined) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  const EventNetwork accepted(NETWORK_ACCEPT);
  EXPECT_EQ(accepted.getType(), NETWORK_EVENT);
  EXPECT_EQ(accepted.getSocketIndex(), -1);
  EXPECT_EQ(accepted.getBytes(), 0);
  EXPECT_EQ(EventNetwork(7).getLabel(), NETWORK_UNDEFINED);
  EventNetwork event(NETWORK_DATA);
  const int labels[][2] = {{-2, -1}, {-1, -1}, {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, -1}};
  for (const auto& label : labels) {
    event.setLabel(NETWORK_DATA);
    event.setLabel(label[0]);
    EXPECT_EQ(event.getLabel(), label[1]) << "label " << label[0];
  }
  LogManager::getInstance().shutDown();
  EXPECT_EQ(logMessages(),
            (std::vector<std::string>{"EventNetwork::setLabel(): Undefined type (7).",
                                      "EventNetwork::setLabel(): Undefined type (-2).",
                                      "EventNetwork::setLabel(): Undefined type (4)."}));
}

}  // namespace
}  // namespace mo
