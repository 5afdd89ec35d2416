#pragma once

#include <string>

namespace syncward::testing {

// SHA-256 and HMAC-SHA256 as lower-case hex, to check by an independent
// computation what the node's rpcauth rule gives.
std::string sha256Hex(const std::string& message);
std::string hmacSha256Hex(const std::string& key, const std::string& message);

}  // namespace syncward::testing
