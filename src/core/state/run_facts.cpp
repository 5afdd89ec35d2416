#include "core/state/run_facts.h"

#include <cctype>
#include <utility>

namespace syncward {

std::optional<long long> BlockCount::number() const {
    if (text.find_first_of("0123456789") == std::string::npos) return std::nullopt;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    // Eighteen digits keep any block height far from overflow.
    for (int digits = 0; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 18;
         ++i, ++digits)
        value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

std::optional<long long> RunFacts::nodeExitSeconds() const {
    if (!stopRequestedAt || !exitSeenAt || *exitSeenAt < *stopRequestedAt) return std::nullopt;
    return *exitSeenAt - *stopRequestedAt;
}

void beginRunFacts(RunFacts& facts, std::string date, std::string startTime) {
    facts.date = std::move(date);
    facts.startTime = std::move(startTime);
    facts.folderBefore.bytes.reset();
    facts.folderAfter.bytes.reset();
    facts.nodeStartedAt.reset();
    facts.stopRequestedAt.reset();
    facts.exitSeenAt.reset();
    facts.nodeLeftByEarlierRun = false;
    facts.reportNotWritten = false;
}

}  // namespace syncward
