#include <cctype>

#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

// For the connection and the greeting together. Servers that pause before
// their greeting to catch senders that talk too early wait up to about five
// seconds; the mailer itself waits a minute.
constexpr int serverLimitMs = 10000;
constexpr std::size_t shownGreetingBytes = 100;

// "220", "421-", "554 ...": the three digits of an SMTP reply, or nothing.
std::string replyCode(const std::string& line) {
    if (line.size() < 3 || (line.size() > 3 && line[3] != ' ' && line[3] != '-')) return {};
    for (int i = 0; i < 3; ++i)
        if (!std::isdigit(static_cast<unsigned char>(line[i]))) return {};
    return line.substr(0, 3);
}

std::string quoted(const std::string& line) {
    return "\"" + (line.size() > shownGreetingBytes ? line.substr(0, shownGreetingBytes) + "..." : line) + "\"";
}

// A server is only fine once it greets as a mail server: a port that takes
// the connection may belong to anything, or to nothing that answers.
CheckLine judgeServer(const std::string& named, int port, const ServerGreeting& greeting) {
    using Outcome = ServerGreeting::Outcome;
    switch (greeting.outcome) {
    case Outcome::NoConnection:
        return {CheckLevel::Failing, named + " DOES NOT ANSWER ON ITS PORT", texts::fixMailServer};
    case Outcome::Silent:
        // A port that wants TLS from the first byte waits for us to speak;
        // the mailer speaks plain first and turns TLS on after the greeting.
        if (port == 465) return {CheckLevel::Failing, named + texts::mailServerTlsOnly, texts::fixMailServerTlsOnly};
        return {CheckLevel::Failing, named + texts::mailServerSilent, texts::fixMailServerSilent};
    case Outcome::Closed:
        return {CheckLevel::Failing, named + texts::mailServerClosed, texts::fixMailServer};
    case Outcome::Line:
        break;
    }
    const std::string code = replyCode(greeting.line);
    if (code == "220") return {CheckLevel::Fine, named + " ANSWERS ON ITS PORT", {}};
    // 4xx is "not now": a run later may find it willing.
    if (!code.empty() && code[0] == '4')
        return {CheckLevel::Doubtful, named + texts::mailServerNotNow + quoted(greeting.line), texts::fixMailServerNotNow};
    if (!code.empty() && code[0] == '5')
        return {CheckLevel::Failing, named + texts::mailServerRefuses + quoted(greeting.line), texts::fixMailServerRefuses};
    return {CheckLevel::Failing, named + texts::notAMailServer + quoted(greeting.line), texts::fixMailPort};
}

}  // namespace

void checkMail(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    if (!facts.startMail && !facts.endMail) return;
    const std::string mailer = platform.profile.join(facts.mailerFolder, platform.profile.mailerName());
    if (platform.setupProbe.path(mailer).executable)
        out.push_back({CheckLevel::Fine, "MAILER " + mailer, {}});
    else
        out.push_back({CheckLevel::Failing, "MAILER " + mailer + " NOT INSTALLED",
                       platform.profile.inOwnWords(texts::fixInstallMailer, texts::fixInstallMailerWindows)});

    // Only the server's greeting is awaited: nothing is sent, no login is tried.
    const std::string& server = facts.mailServer;
    const auto colon = server.rfind(':');
    int port = 0;
    if (colon != std::string::npos && colon + 1 < server.size() && server.size() - colon <= 6 &&
        server.find_first_not_of("0123456789", colon + 1) == std::string::npos)
        port = std::stoi(server.substr(colon + 1));
    const std::string named = "MAIL SERVER \"" + server + "\"";
    if (colon == std::string::npos || colon == 0 || port <= 0 || port > 65535)
        out.push_back({CheckLevel::Failing, named + " IS NOT \"host:port\"", texts::fixMailServer});
    else
        out.push_back(judgeServer(named, port, platform.setupProbe.greeting(server.substr(0, colon), port, serverLimitMs)));

    if (facts.mailPasswordEmpty) out.push_back({CheckLevel::Doubtful, texts::mailPasswordEmpty, texts::fixMailPassword});
}

}  // namespace syncward
