#pragma once

#include <string>

namespace syncward {

// The tip age limit suggested for a coin, from its average block time: two
// hours for ten-minute chains, one hour for the faster ones. The coin is
// recognised in the crypto name by its ticker or its name ("LTC -
// Litecoin"); an unknown coin gets the longer limit, which never refuses a
// chain that is merely slow.
struct TipAgeSuggestion {
    std::string coin;   // "LTC", or "" when the name names no coin known here
    std::string limit;  // "hh:mm:ss"
};

TipAgeSuggestion suggestTipAgeLimit(const std::string& cryptoName);

}  // namespace syncward
