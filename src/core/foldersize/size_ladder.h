#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/platform/environment.h"

namespace syncward {

inline constexpr int sizeLadderSteps = 6;

// One size in six units, bytes to petabytes, each the previous one divided
// by 1000 (not 1024), with its number pattern and unit text. The bytes line
// keeps two trailing blanks so the units line up under each other.
std::array<std::string, sizeLadderSteps> sizeLadder(std::uint64_t bytes, const NumberSeparators& separators);

}  // namespace syncward
