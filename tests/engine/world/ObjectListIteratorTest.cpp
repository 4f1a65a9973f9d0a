#include <gtest/gtest.h>

#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"

namespace mo {
namespace {

/// Distinct object addresses. The iterator only hands entries back, never
/// dereferences them, so no object needs to be built.
class StandIns {
 public:
  Object* at(int i) { return reinterpret_cast<Object*>(&slots[i]); }

 private:
  struct alignas(Object) Slot {
    unsigned char bytes[sizeof(Object)];
  };
  Slot slots[8];
};

class ObjectListIteratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list.insert(a);
    list.insert(b);
    list.insert(c);
  }
  StandIns stand_ins;
  Object* a = stand_ins.at(0);
  Object* b = stand_ins.at(1);
  Object* c = stand_ins.at(2);
  ObjectList list;
};

TEST_F(ObjectListIteratorTest, WalksTheListInOrder) {
  ObjectListIterator li(&list);
  ASSERT_FALSE(li.isDone());
  EXPECT_EQ(li.currentObject(), a);
  li.next();
  EXPECT_EQ(li.currentObject(), b);
  li.next();
  EXPECT_EQ(li.currentObject(), c);
  li.next();
  EXPECT_TRUE(li.isDone());
  EXPECT_EQ(li.currentObject(), nullptr);
}

TEST_F(ObjectListIteratorTest, EmptyListIsDoneAtOnce) {
  const ObjectList empty;
  ObjectListIterator li(&empty);
  EXPECT_TRUE(li.isDone());
  EXPECT_EQ(li.currentObject(), nullptr);
  li.next();
  EXPECT_TRUE(li.isDone());
}

TEST_F(ObjectListIteratorTest, NextAtTheEndStaysAtTheEnd) {
  ObjectListIterator li(&list);
  for (int i = 0; i < 6; i++) li.next();
  EXPECT_TRUE(li.isDone());
  EXPECT_EQ(li.currentObject(), nullptr);
  // The index stopped at the end: an entry added now is the current one.
  Object* p_late = stand_ins.at(3);
  list.insert(p_late);
  EXPECT_FALSE(li.isDone());
  EXPECT_EQ(li.currentObject(), p_late);
}

TEST_F(ObjectListIteratorTest, FirstAndSetListStartOver) {
  ObjectListIterator li(&list);
  li.next();
  li.next();
  li.first();
  EXPECT_EQ(li.currentObject(), a);

  ObjectList other;
  Object* d = stand_ins.at(4);
  other.insert(d);
  li.next();
  li.setList(&other);
  EXPECT_EQ(li.currentObject(), d);
  li.next();
  EXPECT_TRUE(li.isDone());
}

TEST_F(ObjectListIteratorTest, ReadsTheListLive) {
  ObjectListIterator li(&list);
  li.next();
  ASSERT_EQ(li.currentObject(), b);
  // Removing the current entry shifts the next one under the iterator.
  list.remove(b);
  EXPECT_EQ(li.currentObject(), c);
  list.remove(c);
  EXPECT_TRUE(li.isDone());
  EXPECT_EQ(li.currentObject(), nullptr);
}

TEST_F(ObjectListIteratorTest, WithoutAListItIsDone) {
  ObjectListIterator li(nullptr);
  EXPECT_TRUE(li.isDone());
  EXPECT_EQ(li.currentObject(), nullptr);
  li.next();
  EXPECT_TRUE(li.isDone());
}

}  // namespace
}  // namespace mo
