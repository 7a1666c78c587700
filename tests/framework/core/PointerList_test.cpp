#include "framework/core/PointerList.h"

#include <gtest/gtest.h>

namespace {

struct Counted
{
    explicit Counted(int* d) : deletions(d) {}
    ~Counted() { ++*deletions; }
    int* deletions;
};

TEST(PointerList, InsertMovesTheTailAndChecksTheIndex)
{
    PointerList<int> list;
    int a = 1, b = 2, c = 3, d = 4;
    list.Add(&a);
    list.Add(&c);
    int** slot = list.Insert(&b, 1);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(*slot, &b);
    EXPECT_NE(list.Insert(&d, 3), nullptr) << "at count: appends";
    EXPECT_EQ(list.Insert(&d, 5), nullptr) << "beyond count";
    EXPECT_EQ(list.Insert(&d, -1), nullptr);
    ASSERT_EQ(list.GetSize(), 4);
    EXPECT_EQ(list.Get(4), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Get(0), &a);
    EXPECT_EQ(list.Get(1), &b);
    EXPECT_EQ(list.Get(2), &c);
    EXPECT_EQ(list.Get(3), &d);

    list.Remove(1);
    list.Remove(7);  // beyond the end: nothing
    list.Remove(-1);
    ASSERT_EQ(list.GetSize(), 3);
    EXPECT_EQ(list.Get(0), &a);
    EXPECT_EQ(list.Get(1), &c);
    EXPECT_EQ(list.Get(2), &d);
    list.Remove(2);
    EXPECT_EQ(list.GetSize(), 2);
    EXPECT_EQ(list.Get(1), &c);
}

TEST(PointerList, ManyItemsAndDeleteAll)
{
    int deletions = 0;
    PointerList<Counted> list;
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(list.Add(new Counted(&deletions)));
    EXPECT_EQ(list.GetSize(), 3000);
    list.DeleteAll();
    EXPECT_EQ(deletions, 3000);
    EXPECT_EQ(list.GetSize(), 0);
}

}  // namespace
