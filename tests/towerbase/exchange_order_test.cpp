#include "towerbase/exchange_order.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <utility>

namespace linvara {
namespace {

// The exchange sort the tower-base output used to run, kept as the reference.
std::vector<std::size_t> ExchangeSortReference(const std::vector<double>& keys) {
    std::vector<std::pair<double, std::size_t>> items;
    for (std::size_t i = 0; i < keys.size(); ++i) items.emplace_back(keys[i], i);
    for (std::size_t i = 0; i < items.size(); ++i)
        for (std::size_t j = i + 1; j < items.size(); ++j)
            if (items[j].first < items[i].first) std::swap(items[i], items[j]);
    std::vector<std::size_t> order;
    for (const auto& item : items) order.push_back(item.second);
    return order;
}

TEST(ExchangeOrder, SmallCasesOfTies) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::vector<double> keys;
        std::vector<std::size_t> order;
    } cases[] = {
        {{}, {}},
        {{1}, {0}},
        {{2, 2, 2}, {0, 1, 2}},
        {{1, 0, 1}, {1, 0, 2}},           // a smaller key between: the first 1 stays first
        {{1, 1, 0}, {2, 1, 0}},           // after both: they turn
        {{3, 2, 2, 1}, {3, 2, 1, 0}},     // the two 2s swap
        {{0.0, -0.0, -1}, {2, 1, 0}},     // -0 equals 0
        {{2, nan, 1, nan, 0}, {4, 1, 2, 3, 0}},  // NaN keeps its place
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ExchangeSortOrder(c.keys), c.order) << ::testing::PrintToString(c.keys);
        EXPECT_EQ(ExchangeSortReference(c.keys), c.order) << ::testing::PrintToString(c.keys);
    }
}

TEST(ExchangeOrder, MatchesTheExchangeSortOnRandomSectionsFullOfTies) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::mt19937 random(20260501);
    for (int round = 0; round < 4000; ++round) {
        // Few distinct offsets make many ties; some rounds add NaN and signed zeros.
        const std::size_t distinct = 1 + random() % 6;
        const std::size_t size = random() % 70;
        std::vector<double> keys(size);
        for (double& k : keys) {
            k = static_cast<double>(random() % distinct) * 0.5 - 1;
            if (round % 5 == 0 && random() % 9 == 0) k = (random() % 2) ? nan : -0.0;
            if (round % 7 == 0 && random() % 11 == 0) k = (random() % 2) ? inf : -inf;
        }
        ASSERT_EQ(ExchangeSortOrder(keys), ExchangeSortReference(keys)) << ::testing::PrintToString(keys);
    }
}

TEST(ExchangeOrder, LargeSectionsMatchToo) {
    std::mt19937 random(7);
    for (std::size_t size : {1000u, 3000u}) {
        std::vector<double> keys(size);
        for (double& k : keys) k = static_cast<double>(random() % 40);
        EXPECT_EQ(ExchangeSortOrder(keys), ExchangeSortReference(keys));
    }
}

}  // namespace
}  // namespace linvara
