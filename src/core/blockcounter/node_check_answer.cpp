#include "core/blockcounter/node_check_answer.h"

#include <array>
#include <cctype>
#include <sstream>

namespace syncward {

namespace {

constexpr std::array calls = {"getblockchaininfo", "getpeerinfo", "getconnectioncount", "getblockheader"};

bool isCallName(const std::string& line) {
    for (const char* call : calls)
        if (line == call) return true;
    return false;
}

}  // namespace

const std::string& NodeCheckAnswer::answerTo(const std::string& call) const {
    static const std::string none;
    const auto found = answers.find(call);
    return found == answers.end() ? none : found->second;
}

// A call's name never stands alone on a line of JSON (names and texts
// there are quoted), so a bare name can only be the line before an answer.
NodeCheckAnswer splitNodeCheckAnswer(const std::string& text) {
    NodeCheckAnswer split;
    std::istringstream lines(text);
    std::string line;
    std::string* current = nullptr;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (split.complete) break;
        if (line == "end") {
            split.complete = true;
        } else if (isCallName(line)) {
            current = &split.answers[line];
        } else if (current) {
            *current += line + "\n";
        }
    }
    return split;
}

namespace {

// The client prints an error's code as "error code: N" or, in JSON,
// "code":N; the code must end there (-280 is not -28).
bool saysErrorCode(const std::string& clientText, const std::string& number) {
    for (const std::string& code : {"error code: " + number, "\"code\":" + number}) {
        for (auto at = clientText.find(code); at != std::string::npos; at = clientText.find(code, at + 1)) {
            const auto after = at + code.size();
            if (after == clientText.size() || !std::isdigit(static_cast<unsigned char>(clientText[after])))
                return true;
        }
    }
    return false;
}

}  // namespace

bool saysStillStarting(const std::string& clientText) { return saysErrorCode(clientText, "-28"); }

bool saysMethodNotFound(const std::string& clientText) {
    return saysErrorCode(clientText, "-32601") || clientText.find("Method not found") != std::string::npos;
}

}  // namespace syncward
