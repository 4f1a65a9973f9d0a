#include "engine/net/Path.h"

#include <gtest/gtest.h>

#include <vector>

namespace mo {
namespace {

Path threeNodes() { return Path({Vector(3, 4), Vector(4, 5), Vector(5, 5)}); }

TEST(PathTest, EmptyPathIsDoneAtOnceWithNodeAtOrigin) {
  Path path;
  EXPECT_TRUE(path.isDone());
  EXPECT_EQ(path.getCount(), 0);
  EXPECT_EQ(path.getIndex(), 0);
  EXPECT_EQ(path.currentNode(), Vector(0, 0));
  path.next();
  EXPECT_EQ(path.getIndex(), 0);
}

TEST(PathTest, NextWalksTheNodesInOrderAndStopsAtTheCount) {
  Path path = threeNodes();
  std::vector<Vector> walked;
  for (; !path.isDone(); path.next()) walked.push_back(path.currentNode());
  EXPECT_EQ(walked, path.getNodes());
  EXPECT_EQ(path.getIndex(), 3);
  path.next();
  path.next();
  EXPECT_EQ(path.getIndex(), 3);
  EXPECT_TRUE(path.isDone());
  EXPECT_EQ(path.currentNode(), Vector(0, 0));
}

TEST(PathTest, SetIndexAcceptsOnlyExistingNodes) {
  Path path = threeNodes();
  EXPECT_EQ(path.setIndex(2), 0);
  EXPECT_EQ(path.currentNode(), Vector(5, 5));
  EXPECT_EQ(path.setIndex(3), -1);
  EXPECT_EQ(path.setIndex(-1), -1);
  EXPECT_EQ(path.getIndex(), 2);
  EXPECT_EQ(Path().setIndex(0), -1);
}

TEST(PathTest, SetIndexZeroRestartsAWalkedPath) {
  Path path = threeNodes();
  for (int i = 0; i < 3; i++) path.next();
  ASSERT_TRUE(path.isDone());
  EXPECT_EQ(path.setIndex(0), 0);
  EXPECT_FALSE(path.isDone());
  EXPECT_EQ(path.currentNode(), Vector(3, 4));
}

}  // namespace
}  // namespace mo
