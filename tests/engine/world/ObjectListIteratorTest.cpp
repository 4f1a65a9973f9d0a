#include "engine/world/ObjectListIterator.h"

#include <gtest/gtest.h>

#include "worldHelpers.h"

namespace mo {
namespace {

class ObjectListIteratorTest : public ::testing::Test, protected test::StandIns {
 protected:
  void SetUp() override {
    for (Object* p_o : {a, b, c}) list.insert(p_o);
  }
  ObjectList list;
};

TEST_F(ObjectListIteratorTest, WalksInOrderAndStaysAtTheEnd) {
  ObjectListIterator li(&list);
  for (Object* p_o : {a, b, c, static_cast<Object*>(nullptr), static_cast<Object*>(nullptr)}) {
    EXPECT_EQ(li.isDone(), p_o == nullptr);
    EXPECT_EQ(li.currentObject(), p_o);
    li.next();
  }
  // The index stopped at the end: an entry added now is the current one.
  list.insert(d);
  EXPECT_EQ(li.currentObject(), d);
  const ObjectList empty;
  for (const ObjectList* p_list : {&empty, static_cast<const ObjectList*>(nullptr)}) {
    ObjectListIterator none(p_list);
    none.next();
    EXPECT_TRUE(none.isDone());
    EXPECT_EQ(none.currentObject(), nullptr);
  }
}

TEST_F(ObjectListIteratorTest, FirstAndSetListStartOverAndTheListIsReadLive) {
  ObjectListIterator li(&list);
  li.next();
  li.next();
  li.first();
  EXPECT_EQ(li.currentObject(), a);
  li.next();
  // Removing the current entry shifts the next one under the iterator.
  list.remove(b);
  EXPECT_EQ(li.currentObject(), c);
  list.remove(c);
  EXPECT_TRUE(li.isDone());
  ObjectList other;
  other.insert(d);
  li.setList(&other);
  EXPECT_EQ(li.currentObject(), d);
}

}  // namespace
}  // namespace mo
