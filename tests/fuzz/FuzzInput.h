// What the fuzz targets of outside text share: the input as text, and a
// check whose failure the fuzzer reports.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace korvalin::fuzzing {

inline void Check(bool condition) {
    if (!condition) std::abort();
}

// The bytes as Latin-1 text, so that a seed file reads as the text it holds.
inline std::u16string Latin1(const std::uint8_t* data, std::size_t size) { return std::u16string(data, data + size); }

}  // namespace korvalin::fuzzing
