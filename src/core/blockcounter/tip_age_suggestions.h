#pragma once

#include <string>

namespace syncward {

// The tip age limit the coin catalogue suggests for a coin: two hours for
// ten-minute chains, one hour for the faster ones. The coin is recognised in
// the crypto name by its ticker or its name ("LTC - Litecoin"); a coin the
// catalogue does not know gets the longer limit, which never refuses a chain
// that is merely slow.
struct TipAgeSuggestion {
    std::string coin;   // "LTC", or "" when the name names no coin known here
    std::string limit;  // "hh:mm:ss"
};

TipAgeSuggestion suggestTipAgeLimit(const std::string& cryptoName);

}  // namespace syncward
