#pragma once
// Helpers shared by the sound tests.

#include <string>

namespace sarvo::sound {

// Names a parameterised case after the name field of its row.
struct CaseName {
    template <class Info> std::string operator()(const Info& row) const { return row.param.name; }
};

} // namespace sarvo::sound
