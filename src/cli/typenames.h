#pragma once
// Phone types named on the command line by short name ("Type-A") or as a comma list.

#include <optional>
#include <string>
#include <vector>

namespace sarvo::cli {

// The type index of a short name such as "Type-A"; nullopt when unknown.
std::optional<int> typeIndexOf(const std::string& name);

struct TypeList {
    std::vector<int> typeIndexes;
    std::string unknownName; // the first name that is no phone type; empty when all are
};

// "Type-A,Type-E" → the type indexes in the order given.
TypeList typeListOf(const std::string& list);

} // namespace sarvo::cli
