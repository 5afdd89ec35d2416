#include "core/platform/power_refusal.h"

#include <array>
#include <cctype>

namespace syncward {

namespace {

struct KnownRefusal {
    const char* saying;  // part of the system's text, compared without case
    const char* reason;
};

constexpr const char* outsideSession = "NOT ALLOWED OUTSIDE A DESKTOP SESSION";

constexpr std::array<KnownRefusal, 9> knownRefusals = {{
    {"interactive authentication required", outsideSession},
    {"InteractiveAuthorizationRequired", outsideSession},
    {"authentication is required", outsideSession},
    {"access denied", "NOT ALLOWED"},
    {"AccessDenied", "NOT ALLOWED"},
    {"not authorized", "NOT ALLOWED"},
    {"not supported", "NOT SUPPORTED BY THIS COMPUTER"},
    {"NotSupported", "NOT SUPPORTED BY THIS COMPUTER"},
    {"hibernation has not been enabled", "NOT SUPPORTED BY THIS COMPUTER"},
}};

constexpr std::size_t longestReason = 80;

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    if (part.size() > text.size()) return false;
    for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < part.size() && lower(text[at + i]) == lower(part[i])) ++i;
        if (i == part.size()) return true;
    }
    return false;
}

std::string_view firstLine(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    text = text.substr(0, text.find_first_of("\r\n"));
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

}  // namespace

std::string refusalReason(std::string_view systemText) {
    for (const KnownRefusal& known : knownRefusals)
        if (containsIgnoringCase(systemText, known.saying)) return known.reason;
    std::string_view line = firstLine(systemText);
    if (line.empty()) return "NO REASON GIVEN";
    // The brackets the reason is shown in must stay whole, and one line.
    std::string reason;
    for (char c : line.substr(0, longestReason)) {
        if (c == '(' || c == '[') c = '<';
        if (c == ')' || c == ']') c = '>';
        reason += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' ')) reason.pop_back();
    return reason;
}

std::string refusedAction(const std::string& action, const std::string& reason) {
    return action + " REFUSED BY THE SYSTEM (" + reason + ")";
}

std::string refusedFinalAction(const std::string& finalAction, const std::string& reason) {
    return refusedAction(finalAction + " -", reason);
}

}  // namespace syncward
