#include "engine/world/ObjectList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/world/ObjectListIterator.h"
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

TEST_F(ObjectListTest, LongListsHoldWhatAPlainArrayWouldThroughAnyMixOfChanges) {
  // Stand-in addresses: the list never dereferences its entries.
  std::vector<std::max_align_t> slots(120);
  auto object = [&](int i) { return reinterpret_cast<Object*>(&slots[static_cast<std::size_t>(i)]); };
  for (unsigned seed = 1; seed <= 16; seed++) {
    std::mt19937 random(seed);
    auto whole = [&](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
    ObjectList list;
    Entries model;
    for (int op = 0; op < 3000; op++) {
      const int roll = whole(99);
      // Mostly distinct entries, so that lists grow long enough to be
      // indexed; some duplicates all the same.
      Object* p_o = object(roll < 50 ? whole(119) : whole(7));
      if (roll < 55) {
        ASSERT_EQ(list.insert(p_o), 0);
        model.push_back(p_o);
      } else if (roll < 93) {
        const auto at = std::find(model.begin(), model.end(), p_o);
        EXPECT_EQ(list.remove(p_o), at == model.end() ? -1 : 0);
        if (at != model.end()) model.erase(at);
      } else if (roll < 96) {
        EXPECT_EQ(list.contains(p_o),
                  std::find(model.begin(), model.end(), p_o) != model.end());
      } else if (roll < 98) {
        // A live iterator sees later entries shift under it.
        ObjectListIterator li(&list);
        for (int i = 0; i < 3 && !li.isDone(); i++) li.next();
        if (!li.isDone() && !model.empty()) {
          list.remove(model.front());
          model.erase(model.begin());
          const std::size_t index = 3;
          EXPECT_EQ(li.currentObject(), index < model.size() ? model[index] : nullptr);
        }
      } else if (roll < 99) {
        list = ObjectList(list) + ObjectList();
      } else if (whole(9) == 0) {
        list.clear();
        model.clear();
      }
      ASSERT_EQ(list.getCount(), static_cast<int>(model.size()));
      if (op % 97 == 0) {
        ASSERT_EQ(entries(list), model) << "seed " << seed << " op " << op;
      }
    }
    EXPECT_EQ(entries(list), model) << "seed " << seed;
  }
}

}  // namespace
}  // namespace mo
