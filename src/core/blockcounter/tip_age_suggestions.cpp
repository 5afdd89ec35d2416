#include "core/blockcounter/tip_age_suggestions.h"

#include <array>
#include <cctype>
#include <set>

namespace syncward {

namespace {

// The average block times of the coins the block times window lists, in
// seconds. Kept here until that window's table can be read from.
struct CoinBlockTime {
    const char* ticker;
    const char* name;  // upper case, blanks removed
    int blockSeconds;
};

// Bitcoin Gold before Bitcoin: "BitcoinGold" must not be read as Bitcoin.
constexpr std::array coinBlockTimes = {
    CoinBlockTime{"BTG", "BITCOINGOLD", 600}, CoinBlockTime{"BTC", "BITCOIN", 600},
    CoinBlockTime{"NMC", "NAMECOIN", 150},    CoinBlockTime{"LTC", "LITECOIN", 150},
    CoinBlockTime{"DASH", "DASH", 150},       CoinBlockTime{"VTC", "VERTCOIN", 150},
};

constexpr const char* tenMinuteChainLimit = "02:00:00";
constexpr const char* fasterChainLimit = "01:00:00";

// The words of the name in upper case, and the whole name without blanks
// ("Bitcoin Gold" -> BITCOINGOLD).
std::set<std::string> wordsOf(const std::string& name) {
    std::set<std::string> words;
    std::string word, joined;
    for (const char c : name + " ") {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        } else if (!word.empty()) {
            words.insert(word);
            if (!std::isdigit(static_cast<unsigned char>(word[0]))) joined += word;
            word.clear();
        }
    }
    for (const CoinBlockTime& coin : coinBlockTimes)
        if (joined.find(coin.name) != std::string::npos) words.insert(coin.name);
    return words;
}

}  // namespace

TipAgeSuggestion suggestTipAgeLimit(const std::string& cryptoName) {
    const std::set<std::string> words = wordsOf(cryptoName);
    for (const CoinBlockTime& coin : coinBlockTimes)
        if (words.count(coin.ticker) || words.count(coin.name))
            return {coin.ticker, coin.blockSeconds >= 600 ? tenMinuteChainLimit : fasterChainLimit};
    return {"", tenMinuteChainLimit};
}

}  // namespace syncward
