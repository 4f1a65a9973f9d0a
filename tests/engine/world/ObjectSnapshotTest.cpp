#include "engine/world/ObjectSnapshot.h"

#include <gtest/gtest.h>

#include <memory>

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

}  // namespace
}  // namespace mo
