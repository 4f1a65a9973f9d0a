#include <gtest/gtest.h>

#include <vector>

#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"

namespace mo {
namespace {

/// Distinct object addresses. A list only stores and compares its
/// entries, never dereferences them, so no object needs to be built.
class StandIns {
 public:
  Object* at(int i) { return reinterpret_cast<Object*>(&slots[i]); }

 private:
  struct alignas(Object) Slot {
    unsigned char bytes[sizeof(Object)];
  };
  Slot slots[128];
};

/// The entries of a list, in order.
std::vector<Object*> entries(const ObjectList& list) {
  std::vector<Object*> result;
  for (ObjectListIterator li(&list); !li.isDone(); li.next()) result.push_back(li.currentObject());
  return result;
}

class ObjectListTest : public ::testing::Test {
 protected:
  StandIns stand_ins;
  Object* a = stand_ins.at(0);
  Object* b = stand_ins.at(1);
  Object* c = stand_ins.at(2);
  Object* d = stand_ins.at(3);
  ObjectList list;
};

using Entries = std::vector<Object*>;

// --- construction and growth -----------------------------------------

TEST_F(ObjectListTest, NewListIsEmptyWithRoomForOne) {
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.getCount(), 0);
  EXPECT_EQ(list.getMaxCount(), 1);
  EXPECT_EQ(entries(list), Entries{});
}

TEST_F(ObjectListTest, InsertAppendsAndDoublesCapacityWhenFull) {
  EXPECT_EQ(list.insert(a), 0);
  EXPECT_EQ(list.getMaxCount(), 1);
  EXPECT_EQ(list.insert(b), 0);
  EXPECT_EQ(list.getMaxCount(), 2);
  EXPECT_EQ(list.insert(c), 0);
  EXPECT_EQ(list.getMaxCount(), 4);
  EXPECT_EQ(list.getCount(), 3);
  EXPECT_FALSE(list.isEmpty());
  EXPECT_EQ(entries(list), (Entries{a, b, c}));
}

TEST_F(ObjectListTest, ManyInsertsKeepEveryEntryInOrder) {
  Entries expected;
  for (int i = 0; i < 100; i++) {
    ASSERT_EQ(list.insert(stand_ins.at(i)), 0);
    expected.push_back(stand_ins.at(i));
  }
  EXPECT_EQ(list.getMaxCount(), 128);
  EXPECT_EQ(entries(list), expected);
}

TEST_F(ObjectListTest, NullInsertIsRefusedAndLeavesTheList) {
  ASSERT_EQ(list.insert(a), 0);
  EXPECT_EQ(list.insert(nullptr), -1);
  EXPECT_EQ(list.getCount(), 1);
  EXPECT_EQ(list.getMaxCount(), 1);
}

TEST_F(ObjectListTest, DuplicatesAreKept) {
  ASSERT_EQ(list.insert(a), 0);
  ASSERT_EQ(list.insert(a), 0);
  EXPECT_EQ(entries(list), (Entries{a, a}));
}

// --- removal ---------------------------------------------------------

TEST_F(ObjectListTest, RemovingTheMiddleKeepsTheOrder) {
  list.insert(a);
  list.insert(b);
  list.insert(c);
  list.insert(d);
  EXPECT_EQ(list.remove(b), 0);
  EXPECT_EQ(entries(list), (Entries{a, c, d}));
  EXPECT_EQ(list.remove(d), 0);
  EXPECT_EQ(list.remove(a), 0);
  EXPECT_EQ(entries(list), Entries{c});
}

TEST_F(ObjectListTest, RemoveTakesOnlyTheFirstOccurrence) {
  list.insert(a);
  list.insert(b);
  list.insert(a);
  EXPECT_EQ(list.remove(a), 0);
  EXPECT_EQ(entries(list), (Entries{b, a}));
}

TEST_F(ObjectListTest, RemovingAnAbsentObjectFailsAndChangesNothing) {
  EXPECT_EQ(list.remove(a), -1);
  list.insert(a);
  list.insert(b);
  EXPECT_EQ(list.remove(c), -1);
  EXPECT_EQ(list.remove(nullptr), -1);
  EXPECT_EQ(entries(list), (Entries{a, b}));
}

TEST_F(ObjectListTest, ClearEmptiesButKeepsCapacity) {
  list.insert(a);
  list.insert(b);
  list.insert(c);
  list.clear();
  EXPECT_TRUE(list.isEmpty());
  EXPECT_EQ(list.getMaxCount(), 4);
  EXPECT_EQ(list.remove(a), -1);
  EXPECT_EQ(list.insert(d), 0);
  EXPECT_EQ(entries(list), Entries{d});
}

// --- copies ----------------------------------------------------------

TEST_F(ObjectListTest, CopyIsAnIndependentArrayOfTheSamePointers) {
  list.insert(a);
  list.insert(b);
  list.insert(c);
  ObjectList copy(list);
  EXPECT_EQ(entries(copy), (Entries{a, b, c}));
  EXPECT_EQ(copy.getMaxCount(), 4);
  list.remove(a);
  list.insert(d);
  copy.insert(a);
  EXPECT_EQ(entries(list), (Entries{b, c, d}));
  EXPECT_EQ(entries(copy), (Entries{a, b, c, a}));
}

TEST_F(ObjectListTest, AssignmentReplacesContentIndependently) {
  list.insert(a);
  list.insert(b);
  ObjectList other;
  other.insert(c);
  other.insert(d);
  other.insert(d);
  other = list;
  EXPECT_EQ(entries(other), (Entries{a, b}));
  EXPECT_EQ(other.getMaxCount(), 2);
  other.remove(a);
  EXPECT_EQ(entries(list), (Entries{a, b}));
  EXPECT_EQ(entries(other), Entries{b});
}

TEST_F(ObjectListTest, SelfAssignmentChangesNothing) {
  list.insert(a);
  list.insert(b);
  list.insert(c);
  const ObjectList& same = list;
  list = same;
  EXPECT_EQ(entries(list), (Entries{a, b, c}));
  EXPECT_EQ(list.getMaxCount(), 4);
  EXPECT_EQ(list.insert(d), 0);
  EXPECT_EQ(entries(list), (Entries{a, b, c, d}));
}

TEST_F(ObjectListTest, CopyOfAnEmptyListCanGrow) {
  ObjectList copy(list);
  EXPECT_TRUE(copy.isEmpty());
  EXPECT_EQ(copy.insert(a), 0);
  EXPECT_EQ(copy.insert(b), 0);
  EXPECT_EQ(entries(copy), (Entries{a, b}));
  EXPECT_TRUE(list.isEmpty());
}

// --- concatenation ---------------------------------------------------

TEST_F(ObjectListTest, PlusAppendsEveryEntryOfTheOtherInOrder) {
  list.insert(a);
  list.insert(b);
  ObjectList other;
  other.insert(b);
  other.insert(c);
  other.insert(d);
  const ObjectList sum = list + other;
  EXPECT_EQ(entries(sum), (Entries{a, b, b, c, d}));
  EXPECT_EQ(sum.getMaxCount(), 8);
  EXPECT_EQ(entries(list), (Entries{a, b}));
  EXPECT_EQ(entries(other), (Entries{b, c, d}));
}

TEST_F(ObjectListTest, PlusWithAnEmptySide) {
  list.insert(a);
  const ObjectList empty;
  EXPECT_EQ(entries(list + empty), Entries{a});
  EXPECT_EQ(entries(empty + list), Entries{a});
  EXPECT_EQ(entries(empty + empty), Entries{});
  EXPECT_EQ(entries(list + list), (Entries{a, a}));
}

}  // namespace
}  // namespace mo
