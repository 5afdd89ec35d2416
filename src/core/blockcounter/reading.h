#pragma once

#include <string>

namespace syncward {

// What the client writes for a block count: digits and its line end, and
// nothing else. An error text, a half-written file or garbage is no count,
// and four identical garbage readings must never confirm the chain.
bool isBlockCountReading(const std::string& reading, const std::string& lineEnd);

}  // namespace syncward
