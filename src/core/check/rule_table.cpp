#include "check/rule_table.h"

#include <iterator>

namespace linvara::check {

std::size_t RuleOrder(std::string_view id) {
    for (std::size_t i = 0; i < std::size(kRules); ++i)
        if (std::string_view(kRules[i].id) == id) return i;
    return std::size(kRules);
}

}  // namespace linvara::check
