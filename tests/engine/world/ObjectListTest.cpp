#include "engine/world/ObjectList.h"

#include <gtest/gtest.h>

#include <vector>

#include "worldHelpers.h"

namespace mo {
namespace {

using test::entries;
using Entries = test::Objects;

ObjectList listOf(const Entries& objects) {
  ObjectList list;
  for (Object* p_o : objects) list.insert(p_o);
  return list;
}

class ObjectListTest : public ::testing::Test, protected test::StandIns {};

TEST_F(ObjectListTest, InsertAppendsKeepingDuplicatesAndDoublesTheCapacityWhenFull) {
  ObjectList list;
  std::vector<int> capacities = {list.getMaxCount()};
  for (Object* p_o : {a, b, c, a}) {
    ASSERT_EQ(list.insert(p_o), 0);
    capacities.push_back(list.getMaxCount());
  }
  EXPECT_EQ(capacities, (std::vector<int>{1, 1, 2, 4, 4}));
  EXPECT_EQ(list.insert(nullptr), -1);
  EXPECT_EQ(entries(list), (Entries{a, b, c, a}));
}

TEST_F(ObjectListTest, RemoveTakesTheFirstOccurrenceKeepingTheOrder) {
  ObjectList list = listOf({a, b, c, a, d});
  EXPECT_EQ(list.remove(a), 0);
  EXPECT_EQ(entries(list), (Entries{b, c, a, d}));
  EXPECT_EQ(list.remove(c) + list.remove(d), 0);
  EXPECT_EQ(list.remove(c), -1);
  EXPECT_EQ(list.remove(nullptr), -1);
  EXPECT_EQ(entries(list), (Entries{b, a}));
  list.clear();
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.getMaxCount(), 8);
  EXPECT_EQ(list.remove(b), -1);
}

TEST_F(ObjectListTest, CopiesAssignmentsAndSumsAreIndependentArrays) {
  ObjectList list = listOf({a, b, c});
  ObjectList copy(list);
  ObjectList assigned = listOf({d, d, d, d, d});
  assigned = list;
  const ObjectList& same = list;
  list = same;
  const ObjectList sum = list + listOf({b, c, d});
  EXPECT_EQ(assigned.getMaxCount(), 4);
  EXPECT_EQ(sum.getMaxCount(), 8);
  list.remove(a);
  list.insert(d);
  copy.insert(a);
  assigned.remove(c);
  EXPECT_EQ(entries(list), (Entries{b, c, d}));
  EXPECT_EQ(entries(copy), (Entries{a, b, c, a}));
  EXPECT_EQ(entries(assigned), (Entries{a, b}));
  EXPECT_EQ(entries(sum), (Entries{a, b, c, b, c, d}));
  const ObjectList empty;
  EXPECT_EQ(entries(empty + assigned), (Entries{a, b}));
  ObjectList empty_copy(empty);
  EXPECT_EQ(empty_copy.insert(a) + empty_copy.insert(b), 0);
  EXPECT_EQ(entries(empty_copy), (Entries{a, b}));
}

}  // namespace
}  // namespace mo
