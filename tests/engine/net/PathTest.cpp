#include "engine/net/Path.h"

#include <gtest/gtest.h>

#include <vector>

namespace mo {
namespace {

TEST(PathTest, NextWalksTheNodesToTheCountSetIndexTakesOnlyExistingNodesTextListsThemAll) {
  Path path({Vector(3, 4), Vector(4.5f, -5), Vector(5, 5)});
  std::vector<Vector> walked;
  for (; !path.isDone(); path.next()) walked.push_back(path.currentNode());
  EXPECT_EQ(walked, path.getNodes());
  path.next();
  EXPECT_EQ(path.getIndex(), 3);
  EXPECT_EQ(path.currentNode(), Vector(0, 0));
  EXPECT_EQ(toString(path), "3 4|4.5 -5|5 5|");  // whatever the index
  EXPECT_EQ(path.setIndex(0), 0);
  EXPECT_EQ(path.currentNode(), Vector(3, 4));
  EXPECT_EQ(path.setIndex(2), 0);
  EXPECT_EQ(path.setIndex(3), -1);
  EXPECT_EQ(path.setIndex(-1), -1);
  EXPECT_EQ(path.currentNode(), Vector(5, 5));
  Path empty;
  empty.next();
  EXPECT_TRUE(empty.isDone());
  EXPECT_EQ(empty.getIndex(), 0);
  EXPECT_EQ(empty.setIndex(0), -1);
  EXPECT_EQ(toString(empty), "");
}

}  // namespace
}  // namespace mo
