#include "model/identity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace linvara {
namespace {

TEST(LaterRepeats, FindsEveryLaterCopyOnlyOnce) {
    const std::vector<std::string_view> ids{"a", "b", "a", "c", "b", "a", ""};
    EXPECT_EQ(LaterRepeats(ids), (std::vector<std::size_t>{2, 4, 5}));
    EXPECT_TRUE(LaterRepeats(std::vector<std::string_view>{}).empty());
}

// Equal hashes of different identities are told apart by the identities,
// which are asked for only there.
TEST(LaterRepeats, EqualHashesAreComparedExactly) {
    const std::vector<std::string> ids{"a", "b", "a", "c"};
    const std::vector<std::uint64_t> hashes{7, 7, 7, 9};
    std::vector<std::size_t> asked;
    const auto repeats = LaterRepeats(hashes, [&](std::size_t at) {
        asked.push_back(at);
        return ids[at];
    });
    EXPECT_EQ(repeats, std::vector<std::size_t>{2});
    EXPECT_EQ(asked, (std::vector<std::size_t>{0, 1, 2}));
}

TEST(FreshIdentities, NeverDrawsATakenOrEarlierIdentity) {
    FreshIdentities fresh({});
    std::vector<std::uint64_t> drawn;
    for (int i = 0; i < 2000; ++i) drawn.push_back(IdentityHash(fresh.Next()));
    std::sort(drawn.begin(), drawn.end());
    EXPECT_EQ(std::adjacent_find(drawn.begin(), drawn.end()), drawn.end());
}

}  // namespace
}  // namespace linvara
