#include "core/blockcounter/tip_age_suggestions.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <vector>

#include "core/coins/coin_catalogue.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

constexpr const char* unknownCoinLimit = "02:00:00";

// A name in upper case, blanks and signs removed ("BitcoinGold" -> BITCOINGOLD).
std::string searchName(const std::string& name) {
    std::string upper;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte)) upper += static_cast<char>(std::toupper(byte));
    }
    return upper;
}

struct KnownCoin {
    const Coin* coin;
    std::string name;   // searchName of the coin's name
    long namesHeld = 0;  // how many other coins' names this name holds
};

// The catalogue's coins in the order they are tried: a coin whose name holds
// another's ("BITCOINGOLD" holds "BITCOIN") before that one, so Bitcoin Gold
// is not read as Bitcoin; otherwise in the catalogue's order.
const std::vector<KnownCoin>& knownCoins() {
    static const std::vector<KnownCoin> known = [] {
        std::vector<KnownCoin> coins;
        for (const Coin& coin : coinCatalogue) coins.push_back({&coin, searchName(coin.name)});
        for (KnownCoin& coin : coins)
            coin.namesHeld = std::count_if(coins.begin(), coins.end(), [&coin](const KnownCoin& other) {
                return other.name != coin.name && coin.name.find(other.name) != std::string::npos;
            });
        std::stable_sort(coins.begin(), coins.end(),
                         [](const KnownCoin& a, const KnownCoin& b) { return a.namesHeld > b.namesHeld; });
        return coins;
    }();
    return known;
}

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
    for (const KnownCoin& known : knownCoins())
        if (joined.find(known.name) != std::string::npos) words.insert(known.name);
    return words;
}

}  // namespace

TipAgeSuggestion suggestTipAgeLimit(const std::string& cryptoName) {
    const std::set<std::string> words = wordsOf(cryptoName);
    for (const KnownCoin& known : knownCoins())
        if (words.count(known.coin->ticker) || words.count(known.name))
            return {known.coin->ticker, formatHms(known.coin->tipAgeSeconds)};
    return {"", unknownCoinLimit};
}

}  // namespace syncward
