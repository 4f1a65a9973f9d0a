#include "engine/world/ObjectSnapshot.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

/// Three listed objects outside a started world; destroy(i) deletes one.
class ObjectSnapshotTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    for (Object*& p_o : objects) list.insert(p_o = new Object);
  }
  void TearDown() override {
    for (Object* p_o : objects) delete p_o;
    EngineTest::TearDown();
  }
  void destroy(int i) {
    delete objects[i];
    objects[i] = nullptr;
  }
  Object* objects[3] = {};
  ObjectList list;
};

TEST_F(ObjectSnapshotTest, CopiesTheListAndBlanksDestroyedObjectsInEveryLiveSnapshot) {
  ObjectSnapshot outer(list);
  ObjectSnapshot single(objects[1]);
  list.remove(objects[0]);
  {
    ObjectSnapshot inner(list);
    destroy(1);
    EXPECT_EQ(inner.at(0), nullptr);
  }
  ASSERT_EQ(outer.getCount(), 3);
  EXPECT_EQ(outer.at(0), objects[0]);
  EXPECT_EQ(outer.at(1), nullptr);
  EXPECT_EQ(outer.at(2), objects[2]);
  EXPECT_EQ(single.at(0), nullptr);
}

TEST_F(ObjectSnapshotTest, SnapshotsMayEndInAnyOrder) {
  auto first = std::make_unique<ObjectSnapshot>(list);
  auto second = std::make_unique<ObjectSnapshot>(list);
  auto third = std::make_unique<ObjectSnapshot>(list);
  // The middle one ends first: a destroyed object must not be looked
  // for in it afterwards.
  second.reset();
  destroy(0);
  EXPECT_EQ(first->at(0), nullptr);
  first.reset();
  destroy(2);
  EXPECT_EQ(third->at(0), nullptr);
  EXPECT_EQ(third->at(1), objects[1]);
  EXPECT_EQ(third->at(2), nullptr);
}

TEST_F(ObjectSnapshotTest, ALongSnapshotBlanksEveryEntryOfADestroyedObject) {
  // Long enough to be indexed, with one object listed three times.
  std::vector<Object*> many;
  ObjectList long_list;
  for (int i = 0; i < 2 * ObjectList::INDEX_FROM; i++) {
    many.push_back(new Object);
    long_list.insert(many.back());
    if (i % 20 == 5) long_list.insert(objects[1]);
  }
  ObjectSnapshot snapshot(long_list);
  delete many[0];
  destroy(1);
  delete many[40];
  int blank = 0;
  for (int i = 0; i < snapshot.getCount(); i++) {
    if (!snapshot.at(i)) {
      blank++;
    } else {
      EXPECT_TRUE(snapshot.at(i) != many[0] && snapshot.at(i) != many[40]);
    }
  }
  EXPECT_EQ(blank, 5);
  EXPECT_EQ(snapshot.at(1), many[1]);
  for (std::size_t i = 1; i < many.size(); i++) {
    if (i != 40) delete many[i];
  }
}

}  // namespace
}  // namespace mo
