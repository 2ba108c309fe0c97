#include "model/identity.h"

#include <algorithm>
#include <utility>

#include "model/dh_point_list.h"

namespace linvara {

std::uint64_t IdentityHash(std::string_view id) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (unsigned char c : id) h = (h ^ c) * 0x100000001b3ULL;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    return h ^ (h >> 33);
}

std::vector<std::size_t> LaterRepeats(std::span<const std::uint64_t> hashes,
                                      const std::function<std::string(std::size_t)>& idAt) {
    std::vector<std::pair<std::uint64_t, std::size_t>> byHash;
    byHash.reserve(hashes.size());
    for (std::size_t i = 0; i < hashes.size(); ++i) byHash.emplace_back(hashes[i], i);
    std::sort(byHash.begin(), byHash.end());
    std::vector<std::size_t> repeats;
    for (std::size_t run = 0; run < byHash.size();) {
        std::size_t end = run + 1;
        while (end < byHash.size() && byHash[end].first == byHash[run].first) ++end;
        if (end - run > 1) {
            // In position order, an identity repeats when an earlier one of the run equals it.
            std::vector<std::string> seen;
            for (std::size_t i = run; i < end; ++i) {
                std::string id = idAt(byHash[i].second);
                if (std::find(seen.begin(), seen.end(), id) != seen.end())
                    repeats.push_back(byHash[i].second);
                else
                    seen.push_back(std::move(id));
            }
        }
        run = end;
    }
    std::sort(repeats.begin(), repeats.end());
    return repeats;
}

std::vector<std::size_t> LaterRepeats(std::span<const std::string_view> ids) {
    std::vector<std::uint64_t> hashes;
    hashes.reserve(ids.size());
    for (std::string_view id : ids) hashes.push_back(IdentityHash(id));
    return LaterRepeats(hashes, [&ids](std::size_t at) { return std::string(ids[at]); });
}

FreshIdentities::FreshIdentities(std::vector<std::uint64_t> takenHashes) : taken_(std::move(takenHashes)) {
    std::sort(taken_.begin(), taken_.end());
}

bool FreshIdentities::Taken(std::uint64_t hash) const {
    return std::binary_search(taken_.begin(), taken_.end(), hash) ||
           std::find(drawn_.begin(), drawn_.end(), hash) != drawn_.end();
}

std::string FreshIdentities::Next() {
    std::string id;
    do id = NewGpsId();
    while (Taken(IdentityHash(id)));
    drawn_.push_back(IdentityHash(id));
    return id;
}

}  // namespace linvara
