#pragma once
// The outcome of a conversion that can meet input it cannot convert: what was produced and,
// when the conversion stopped early, why. The value then holds the output up to the failure.

#include <string>

namespace sarvo {

template <class T> struct Converted {
    T value{};
    std::u16string error; // empty when the whole input converted

    bool ok() const { return error.empty(); }
};

} // namespace sarvo
