#include "core/coins/coin_catalogue.h"

namespace syncward {

std::string cryptoName(const Coin& coin) { return std::string(coin.ticker) + " - " + coin.name; }

}  // namespace syncward
