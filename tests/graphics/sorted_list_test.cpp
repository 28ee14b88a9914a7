#include "graphics/sorted_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Order(CSortedList& list) {
  std::vector<int> items;
  for (void* item = list.First(); item != nullptr; item = list.Next()) {
    items.push_back(*static_cast<int*>(item));
  }
  return items;
}

TEST(SortedList, EqualKeysGoInFrontExceptBehindAnEqualHead) {
  int a = 1, b = 2, c = 3, d = 4;
  CSortedList list;
  list.Insert(&a, 5);
  list.Insert(&b, 3);
  list.Insert(&c, 5);
  EXPECT_EQ(Order(list), (std::vector<int>{2, 3, 1}));  // 3, 5 (second), 5 (first)

  CSortedList other;
  other.Insert(&a, 3);
  other.Insert(&b, 5);
  other.Insert(&c, 3);
  EXPECT_EQ(Order(other), (std::vector<int>{1, 3, 2}));  // 3 (first), 3 (second), 5
  other.Insert(&d, 3);
  EXPECT_EQ(Order(other), (std::vector<int>{1, 4, 3, 2}));
  EXPECT_EQ(other.count, 4);
}

TEST(SortedList, RemoveGetAndBothDirections) {
  int v[5] = {0, 1, 2, 3, 4};
  CSortedList list;
  for (int& x : v) list.Insert(&x, static_cast<std::uint16_t>(10 - x));
  EXPECT_EQ(*static_cast<int*>(list.Get(0)), 4);
  EXPECT_EQ(list.Get(5), nullptr);
  EXPECT_EQ(list.Get(-1), nullptr);
  EXPECT_TRUE(list.Remove(&v[4]));  // the head
  EXPECT_TRUE(list.Remove(&v[2]));  // the middle
  EXPECT_TRUE(list.Remove(&v[0]));  // the tail
  EXPECT_FALSE(list.Remove(&v[0]));
  EXPECT_EQ(list.count, 2);
  EXPECT_EQ(Order(list), (std::vector<int>{3, 1}));
  std::vector<int> backwards;
  for (void* item = list.Last(); item != nullptr; item = list.Previous())
    backwards.push_back(*static_cast<int*>(item));
  EXPECT_EQ(backwards, (std::vector<int>{1, 3}));
  list.Clear();
  EXPECT_EQ(list.count, 0);
  EXPECT_EQ(list.First(), nullptr);
  EXPECT_EQ(list.Last(), nullptr);
}

}  // namespace
