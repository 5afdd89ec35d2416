#include "core/blockcounter/node_check_verdict.h"

#include <limits>

#include "core/platform/node_answers.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

NodeCheckVerdict notCaughtUp(std::string reason, const NodeSeen& seen = {}) {
    NodeCheckVerdict verdict;
    verdict.reason = std::move(reason);
    verdict.seen = seen;
    verdict.notCaughtUp = true;
    return verdict;
}

NodeCheckVerdict notConfirmed(std::string reason) {
    NodeCheckVerdict verdict;
    verdict.reason = std::move(reason);
    return verdict;
}

// getconnectioncount prints a bare number.
std::optional<int> connectionCount(const std::string& answer) {
    std::string digits = answer;
    while (!digits.empty() && (digits.back() == '\n' || digits.back() == '\r')) digits.pop_back();
    if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(digits);
}

void leaveOut(std::string& unchecked, const char* condition) {
    unchecked += (unchecked.empty() ? "" : ", ") + std::string(condition);
}

std::string pair(const char* first, long long a, const char* second, long long b) {
    return std::string("(") + first + " " + std::to_string(a) + " / " + second + " " + std::to_string(b) + ")";
}

// now - then, held to the range of long long: a node may answer any time
// at all, and one far enough in the past would overflow the difference.
long long secondsBetween(long long then, long long now) {
    constexpr long long most = std::numeric_limits<long long>::max();
    constexpr long long least = std::numeric_limits<long long>::min();
    if (then < 0 && now > most + then) return most;
    if (then > 0 && now < least + then) return least;
    return now - then;
}

}  // namespace

std::string NodeCheckVerdict::status() const {
    return std::string(notCaughtUp ? "!!! NOT CAUGHT UP - " : "!!! NOT CONFIRMED - ") + reason + " !!!";
}

NodeCheckVerdict judgeNodeCheck(const NodeCheckAnswer& answer, NodeAnswers& reader,
                                const std::optional<TipAgeLimit>& tipAge) {
    const std::string& chainAnswer = answer.answerTo("getblockchaininfo");
    // A node still loading answers with an error, not a chain state: like
    // an empty reading, it says nothing about the chain yet.
    if (saysStillStarting(chainAnswer)) return notCaughtUp("NODE STILL STARTING");
    const auto chain = reader.chainState(chainAnswer);
    if (!chain) return notConfirmed("NODE GAVE NO CHAIN STATE");
    const long long blocks = *chain->blocks;

    NodeCheckVerdict verdict;
    const auto peers = reader.peers(answer.answerTo("getpeerinfo"));
    const auto connected = peers ? std::optional<int>(peers->connected)
                                 : connectionCount(answer.answerTo("getconnectioncount"));
    NodeSeen& seen = verdict.seen;
    seen = {blocks, chain->headers, connected, chain->initialBlockDownload};
    if (!connected)
        leaveOut(verdict.unchecked, "PEERS");
    else if (*connected == 0)
        return notCaughtUp("NO PEERS", seen);

    if (!chain->headers)
        leaveOut(verdict.unchecked, "HEADERS");
    else if (*chain->headers <= 0)
        return notCaughtUp("NO HEADERS YET", seen);
    else if (*chain->headers > blocks)
        return notCaughtUp("HEADERS AHEAD " + pair("BLOCKS", blocks, "HEADERS", *chain->headers), seen);
    else if (*chain->headers < blocks)
        return notCaughtUp("HEADERS BEHIND " + pair("BLOCKS", blocks, "HEADERS", *chain->headers), seen);

    if (!peers || !peers->bestPeerHeader)
        leaveOut(verdict.unchecked, "PEER HEADERS");
    else if (blocks < *peers->bestPeerHeader)
        return notCaughtUp("A PEER IS AHEAD " + pair("BLOCKS", blocks, "PEER", *peers->bestPeerHeader), seen);

    if (!chain->initialBlockDownload)
        leaveOut(verdict.unchecked, "INITIAL BLOCK DOWNLOAD");
    else if (*chain->initialBlockDownload)
        return notCaughtUp("IN INITIAL BLOCK DOWNLOAD", seen);

    if (tipAge) {
        const auto tipTime = reader.blockTime(answer.answerTo("getblockheader"));
        if (!tipTime) {
            leaveOut(verdict.unchecked, "TIP AGE");
        } else if (const long long age = secondsBetween(*tipTime, tipAge->nowSeconds); age > tipAge->limitSeconds) {
            // Older than a day shows in whole hours; a clock text wraps at 24.
            const std::string shown =
                age < 86400 ? formatHms(age) : std::to_string(age / 3600) + " HOURS";
            return notCaughtUp("TIP TOO OLD (" + shown + ")", seen);
        }
    }
    verdict.confirmed = true;
    return verdict;
}

}  // namespace syncward
