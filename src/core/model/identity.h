#pragma once
// Finding GPS_IDs that repeat in lists of a million points: hashes sorted,
// then the few equal hashes compared exactly. A set of a million strings
// costs seconds in allocation alone.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace linvara {

std::uint64_t IdentityHash(std::string_view id);

// The positions of the identities equal to one at an earlier position, in
// increasing order.
std::vector<std::size_t> LaterRepeats(std::span<const std::string_view> ids);
// The same from the identities' hashes; `idAt` gives the identity at a
// position, asked only where two hashes are equal.
std::vector<std::size_t> LaterRepeats(std::span<const std::uint64_t> hashes,
                                      const std::function<std::string(std::size_t)>& idAt);

// Identities already taken, by hash: a fresh GPS_ID is drawn until its hash
// is none of theirs, nor of an identity drawn before.
class FreshIdentities {
public:
    explicit FreshIdentities(std::vector<std::uint64_t> takenHashes);
    std::string Next();

private:
    bool Taken(std::uint64_t hash) const;
    std::vector<std::uint64_t> taken_;  // sorted
    std::vector<std::uint64_t> drawn_;
};

}  // namespace linvara
