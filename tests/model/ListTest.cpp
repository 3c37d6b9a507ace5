#include "model/List.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Item {
    int key;
    int tag;
};

int32_t CompareItems(const Item& a, const Item& b) {
    return a.key < b.key ? -1 : (a.key > b.key ? 1 : 0);
}

std::vector<int> Keys(tMyList<Item>& list) {
    std::vector<int> keys;
    for (list.First(); list.Current(); list.Next()) {
        keys.push_back(list.CurrentItem()->key);
    }
    return keys;
}

class ListTest : public ::testing::Test {
protected:
    Item items[5] = {{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}};
};

TEST_F(ListTest, CursorMovesStopAtBothEnds) {
    tMyList<Item> list;
    list.First();
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_EQ(list.CurrentItem(), nullptr);

    for (Item& i : items) {
        list.Append(&i);
    }
    list.Append(nullptr);
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.Current(), nullptr) << "Append does not move the cursor";

    list.GoTo(0);
    EXPECT_EQ(list.Current(), nullptr);
    list.GoTo(6);
    EXPECT_EQ(list.Current(), nullptr);
    list.GoTo(1);
    EXPECT_EQ(list.CurrentItem(), &items[0]);
    list.Prev();
    EXPECT_EQ(list.Current(), nullptr) << "Prev on the first node";
    list.Prev();
    EXPECT_EQ(list.Current(), nullptr) << "Prev on none stays none";
    list.GoTo(5);
    EXPECT_EQ(list.CurrentItem(), &items[4]);
    list.Next();
    EXPECT_EQ(list.Current(), nullptr) << "Next on the last node";
    list.GoTo(3);
    EXPECT_EQ(list.CurrentItem()->key, 3);
}

TEST_F(ListTest, DeleteCurrentMovesCursorToPredecessorOrSuccessor) {
    tMyList<Item> list;
    for (int i = 0; i < 3; ++i) {
        list.Append(&items[i]);
    }
    list.First();
    list.DeleteCurrent();
    EXPECT_EQ(list.CurrentItem()->key, 2) << "first deleted: the successor";
    list.Append(&items[0]);
    // 2, 3, 1 now; delete the last
    list.GoTo(3);
    list.DeleteCurrent();
    EXPECT_EQ(list.CurrentItem()->key, 3) << "last deleted: the predecessor";
    list.GoTo(2);
    list.DeleteCurrent();
    EXPECT_EQ(list.CurrentItem()->key, 2) << "middle deleted: the predecessor";
    list.DeleteCurrent();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Current(), nullptr) << "only node deleted";
    list.DeleteCurrent(); // nothing on none
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ListTest, DeleteThenNextContinuesWithTheFollower) {
    tMyList<Item> list;
    for (Item& i : items) {
        list.Append(&i);
    }
    list.GoTo(3);
    list.DeleteCurrent();
    list.Next();
    EXPECT_EQ(list.CurrentItem()->key, 4) << "a middle node: Next reaches its follower";
    list.First();
    list.DeleteCurrent();
    EXPECT_EQ(list.CurrentItem()->key, 2) << "the first node: the cursor already stands on the follower";
    EXPECT_EQ(Keys(list), (std::vector<int>{2, 4, 5}));
}

TEST_F(ListTest, ModifiedIsUntouchedByListOperations) {
    tSortedList<Item> list(CompareItems, true);
    EXPECT_FALSE(list.Modified);
    list.Modified = true;
    list.Insert(&items[0]);
    list.First();
    list.DeleteCurrent();
    EXPECT_TRUE(list.Modified);
}

TEST_F(ListTest, SortedInsertOrdersAndRefusesDuplicatesWhenUnique) {
    tSortedList<Item> list(CompareItems, true);
    EXPECT_FALSE(list.Insert(nullptr));
    EXPECT_FALSE(list.Contains(&items[0])) << "empty list";
    for (int k : {3, 1, 5, 2, 4}) {
        EXPECT_TRUE(list.Insert(&items[k - 1]));
    }
    EXPECT_EQ(Keys(list), (std::vector<int>{1, 2, 3, 4, 5}));

    Item dup{3, 1};
    list.GoTo(2);
    EXPECT_FALSE(list.Insert(&dup));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list.CurrentItem(), &items[1]) << "Insert does not move the cursor";
    Item dupLast{5, 1};
    EXPECT_FALSE(list.Insert(&dupLast)) << "duplicate of the last item, the tail shortcut";
    EXPECT_TRUE(list.Contains(&dup));
    Item missing{9, 0};
    EXPECT_FALSE(list.Contains(&missing));
    EXPECT_FALSE(list.Contains(nullptr));
}

TEST_F(ListTest, SortedInsertKeepsEqualItemsInInsertionOrderWhenNotUnique) {
    tSortedList<Item> list(CompareItems, false);
    Item a{2, 1}, b{2, 2}, c{2, 3}, low{1, 0}, high{3, 0};
    list.Insert(&high);
    list.Insert(&a);
    list.Insert(&low);
    list.Insert(&b); // between, through the walk
    list.Insert(&c);
    std::vector<int> tags;
    for (list.First(); list.Current(); list.Next()) {
        tags.push_back(list.CurrentItem()->key * 10 + list.CurrentItem()->tag);
    }
    EXPECT_EQ(tags, (std::vector<int>{10, 21, 22, 23, 30}));

    tSortedList<Item> tailList(CompareItems, false);
    tailList.Insert(&a);
    tailList.Insert(&b); // equal to the last: goes after it through the shortcut
    tailList.First();
    EXPECT_EQ(tailList.CurrentItem(), &a);
}

} // namespace
