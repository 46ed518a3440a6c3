#include "stats/StatList.h"
#include "stats/StatNodePool.h"
#include "stats/StatisticTackle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// Lines told apart by their count: the type code orders them, the count names them.
struct Lines {
    std::deque<StatisticTackle> store;
    Statistic* Make(std::uint16_t code, std::uint16_t name) {
        const std::uint16_t words[10] = {code, 150, name, 0, 0, 0, 0, 0, 0, 0};
        return &store.emplace_back(words);
    }
};

// The (code, name) pairs from first to last; leaves the cursor on the last node.
std::vector<std::pair<int, int>> Walk(StatList& list) {
    std::vector<std::pair<int, int>> out;
    if (list.empty())
        return out;
    list.reset();
    do
        out.emplace_back(list.value()->type, list.value()->count);
    while (list.next() == 1);
    return out;
}

// Lists made by the tests; final, so deleting one through its own type is plainly right.
struct TestList final : StatList {
    using StatList::StatList;
};

int CursorName(StatList& list) {
    return list.value() ? list.value()->count : -1;
}

int CompareByCode(void* item, void* key) {
    int code = static_cast<Statistic*>(item)->type;
    int wanted = *static_cast<int*>(key);
    return code > wanted ? 1 : (code < wanted ? -1 : 0);
}

// Every behaviour is checked for a list on the heap and for one fed from a pool.
class StatListTest : public ::testing::TestWithParam<bool> {
  protected:
    std::unique_ptr<TestList> NewList() {
        return GetParam() ? std::make_unique<TestList>(&pool) : std::make_unique<TestList>();
    }
    void Insert(StatList& list, std::uint16_t code, std::uint16_t name) {
        list.insert(lines.Make(code, name), &Statistic::Compare);
    }
    std::unique_ptr<TestList> ListOf(std::vector<std::uint16_t> codes) {
        auto list = NewList();
        std::uint16_t name = 1;
        for (auto code : codes)
            Insert(*list, code, name++);
        return list;
    }

    StatNodePool pool; // declared first: it outlives the lists
    Lines lines;
};

TEST_P(StatListTest, NewListIsEmptyAndEveryMoveIsRefused) {
    auto list = NewList();
    EXPECT_TRUE(list->empty());
    EXPECT_EQ(list->value(), nullptr);
    EXPECT_EQ(list->end(), 1);
    EXPECT_EQ(list->next(), 0);
    EXPECT_EQ(list->prev(), 0);
    list->reset();
    list->reset_end();
    EXPECT_EQ(list->value(), nullptr);
    EXPECT_EQ(list->remove(), 1);
    int key = 5;
    EXPECT_EQ(list->locate(&key, CompareByCode), 0);
    EXPECT_EQ(list->value(), nullptr);
}

TEST_P(StatListTest, InsertKeepsCodeOrderAndEqualCodesInArrivalOrder) {
    auto list = NewList();
    Insert(*list, 64, 1);
    EXPECT_EQ(CursorName(*list), 1); // first item: the cursor comes to it
    Insert(*list, 2, 2);
    EXPECT_EQ(CursorName(*list), 1); // new first: the cursor stays
    Insert(*list, 34, 3);
    EXPECT_EQ(CursorName(*list), 1); // in between: on the node after the new one (64)
    Insert(*list, 2, 4);
    EXPECT_EQ(CursorName(*list), 3); // after the older 2, the cursor on the 34 that follows
    Insert(*list, 70, 5);
    EXPECT_EQ(CursorName(*list), 5); // appended: the cursor on it
    Insert(*list, 1, 6);
    EXPECT_EQ(CursorName(*list), 5); // new first: the cursor stays on 70

    std::vector<std::pair<int, int>> expected = {{1, 6}, {2, 2}, {2, 4}, {34, 3}, {64, 1}, {70, 5}};
    EXPECT_EQ(Walk(*list), expected);
}

TEST_P(StatListTest, EqualCodeToTheLastIsAppended) {
    auto list = ListOf({5, 9});
    Insert(*list, 9, 3);
    EXPECT_EQ(CursorName(*list), 3);
    std::vector<std::pair<int, int>> expected = {{5, 1}, {9, 2}, {9, 3}};
    EXPECT_EQ(Walk(*list), expected);
}

TEST_P(StatListTest, CursorWalksBothWaysAndStopsAtTheEnds) {
    auto list = ListOf({10, 20, 30});
    list->reset();
    EXPECT_EQ(CursorName(*list), 1);
    EXPECT_EQ(list->prev(), 0);
    EXPECT_EQ(list->end(), 0);
    EXPECT_EQ(list->next(), 1);
    EXPECT_EQ(list->next(), 1);
    EXPECT_EQ(CursorName(*list), 3);
    EXPECT_EQ(list->end(), 1);
    EXPECT_EQ(list->next(), 0);
    EXPECT_EQ(CursorName(*list), 3);
    EXPECT_EQ(list->prev(), 1);
    EXPECT_EQ(CursorName(*list), 2);
    list->reset_end();
    EXPECT_EQ(CursorName(*list), 3);
}

TEST_P(StatListTest, OneItemListFromConstructorIsWalkedOnce) {
    Statistic* item = lines.Make(3, 7);
    TestList list(item);
    EXPECT_FALSE(list.empty());
    EXPECT_EQ(list.value(), item);
    EXPECT_EQ(list.end(), 1);
    EXPECT_EQ(Walk(list).size(), 1u);
}

TEST_P(StatListTest, RemoveMovesTheCursorToTheRightNeighbour) {
    auto list = ListOf({1, 2, 3});
    list->reset();
    EXPECT_EQ(list->remove(), 0); // the first: cursor on the new first
    EXPECT_EQ(CursorName(*list), 2);
    EXPECT_EQ(list->prev(), 0);

    list = ListOf({1, 2, 3});
    list->reset_end();
    EXPECT_EQ(list->remove(), 0); // the last: cursor on the new last
    EXPECT_EQ(CursorName(*list), 2);
    EXPECT_EQ(list->end(), 1);

    list = ListOf({1, 2, 3});
    list->reset();
    list->next();
    EXPECT_EQ(list->remove(), 0); // the middle: cursor on the node that followed
    EXPECT_EQ(CursorName(*list), 3);
    std::vector<std::pair<int, int>> expected = {{1, 1}, {3, 3}};
    EXPECT_EQ(Walk(*list), expected);
    EXPECT_EQ(list->prev(), 1);
    EXPECT_EQ(list->prev(), 0);
}

TEST_P(StatListTest, RemovingTheOnlyNodeLeavesAnUsableEmptyList) {
    auto list = ListOf({4});
    EXPECT_EQ(list->remove(), 0);
    EXPECT_TRUE(list->empty());
    EXPECT_EQ(list->value(), nullptr);
    EXPECT_EQ(list->end(), 1);
    EXPECT_EQ(list->next(), 0);
    EXPECT_EQ(list->remove(), 1);
    Insert(*list, 8, 9);
    EXPECT_EQ(CursorName(*list), 9);
    EXPECT_EQ(Walk(*list).size(), 1u);
}

TEST_P(StatListTest, LocateFindsMatchesAndRestsWhereTheWalkStops) {
    auto list = ListOf({10, 20, 30, 40});
    int key = 5; // below every item
    EXPECT_EQ(list->locate(&key, CompareByCode), 0);
    EXPECT_EQ(CursorName(*list), 1);
    key = 50; // beyond every item
    EXPECT_EQ(list->locate(&key, CompareByCode), 0);
    EXPECT_EQ(CursorName(*list), 4);
    key = 10;
    EXPECT_EQ(list->locate(&key, CompareByCode), 1);
    EXPECT_EQ(CursorName(*list), 1);
    key = 40;
    EXPECT_EQ(list->locate(&key, CompareByCode), 1);
    EXPECT_EQ(CursorName(*list), 4);
    key = 30;
    EXPECT_EQ(list->locate(&key, CompareByCode), 1);
    EXPECT_EQ(CursorName(*list), 3);
    // Missing between 20 and 30: the walk steps past the 30 that lies beyond the key.
    key = 25;
    EXPECT_EQ(list->locate(&key, CompareByCode), 0);
    EXPECT_EQ(CursorName(*list), 4);
}

TEST_P(StatListTest, ReusesRemovedNodesAndKeepsItemsAlive) {
    auto list = ListOf({1, 2, 3, 4, 5});
    for (int round = 0; round < 3; ++round) {
        list->reset();
        while (!list->empty())
            list->remove();
        for (std::uint16_t code = 1; code <= 5; ++code)
            Insert(*list, code, code);
    }
    EXPECT_EQ(Walk(*list).size(), 5u);
    list.reset();
    // The lines are still there and untouched after the list is gone.
    for (auto& line : lines.store)
        EXPECT_EQ(line.StatLine(), "Tackles: " + std::to_string(line.count));
}

std::string KindName(const ::testing::TestParamInfo<bool>& param) {
    return param.param ? "Pool" : "Heap";
}

INSTANTIATE_TEST_SUITE_P(HeapAndPool, StatListTest, ::testing::Values(false, true), KindName);

// A list that owns its items hooks delete_data; the base list never frees anything.
class CountingList final : public StatList {
  public:
    void delete_data(void* item) override { released.push_back(static_cast<Statistic*>(item)); }
    std::vector<Statistic*> released;
};

TEST(StatListHook, RemovePassesTheItemToDeleteData) {
    Lines lines;
    CountingList list;
    Statistic* a = lines.Make(1, 1);
    Statistic* b = lines.Make(2, 2);
    list.insert(a, &Statistic::Compare);
    list.insert(b, &Statistic::Compare);
    list.reset();
    list.remove();
    ASSERT_EQ(list.released.size(), 1u);
    EXPECT_EQ(list.released[0], a);
    EXPECT_EQ(list.value(), b);
}

} // namespace
