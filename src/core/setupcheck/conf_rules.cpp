#include "core/setupcheck/conf_rules.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace syncward {

namespace {

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

struct ConfLine {
    int number = 0;
    std::string text;     // trimmed, comment removed
    std::string section;  // "" before any section
};

std::vector<ConfLine> linesOf(const std::string& text) {
    std::vector<ConfLine> lines;
    std::string section;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        ++number;
        std::string line = trimmed(std::string_view(text).substr(start, end - start));
        start = end + 1;
        if (const auto hash = line.find('#'); hash != std::string::npos) line = trimmed(line.substr(0, hash));
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        lines.push_back({number, line, section});
    }
    return lines;
}

std::string keyOf(const std::string& line) { return trimmed(line.substr(0, line.find('='))); }
std::string valueOf(const std::string& line) {
    const auto equals = line.find('=');
    return equals == std::string::npos ? std::string() : trimmed(line.substr(equals + 1));
}

// The section a test network's own settings belong in; "" for the main network.
std::string networkSection(const std::vector<ConfLine>& lines) {
    std::string network;
    for (const ConfLine& line : lines) {
        if (!line.section.empty()) continue;
        const std::string key = keyOf(line.text);
        const bool on = valueOf(line.text) != "0";
        if (key == "regtest" && on) network = "regtest";
        if (key == "testnet" && on) network = "test";
        if (key == "signet" && on) network = "signet";
    }
    return network;
}

constexpr std::array<std::string_view, 6> ignoredOutsideSection = {"port", "rpcport", "bind", "rpcbind", "connect",
                                                                   "addnode"};

}  // namespace

std::vector<ConfProblem> confProblems(const std::string& text) {
    const std::vector<ConfLine> lines = linesOf(text);
    const std::string network = networkSection(lines);
    std::vector<ConfProblem> problems;
    for (const ConfLine& line : lines) {
        if (line.text.find('=') == std::string::npos) {
            problems.push_back({line.number, line.text, true, "NOT \"key=value\": THE NODE STOPS AT A PARSE ERROR"});
            continue;
        }
        if (network.empty() || !line.section.empty()) continue;
        const std::string key = keyOf(line.text);
        if (key == "wallet")
            problems.push_back({line.number, line.text, true,
                                "OUTSIDE [" + network + "]: THE NODE REFUSES TO START - MOVE IT UNDER [" + network + "]"});
        else if (std::find(ignoredOutsideSection.begin(), ignoredOutsideSection.end(), key) != ignoredOutsideSection.end())
            problems.push_back({line.number, line.text, false,
                                "OUTSIDE [" + network + "]: THE NODE IGNORES IT - MOVE IT UNDER [" + network + "]"});
    }
    return problems;
}

bool confHoldsPassword(const std::string& text) {
    for (const ConfLine& line : linesOf(text))
        if (keyOf(line.text) == "rpcpassword" && !valueOf(line.text).empty()) return true;
    return false;
}

}  // namespace syncward
