#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

constexpr int serverLimitMs = 5000;

}  // namespace

void checkMail(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    if (!facts.startMail && !facts.endMail) return;
    const std::string mailer = platform.profile.join(facts.mailerFolder, platform.profile.mailerName());
    if (platform.setupProbe.path(mailer).executable)
        out.push_back({CheckLevel::Fine, "MAILER " + mailer, {}});
    else
        out.push_back({CheckLevel::Failing, "MAILER " + mailer + " NOT INSTALLED", texts::fixInstallMailer});

    // Only a connection: nothing is sent, no login is tried.
    const std::string& server = facts.mailServer;
    const auto colon = server.rfind(':');
    int port = 0;
    if (colon != std::string::npos && colon + 1 < server.size() && server.size() - colon <= 6 &&
        server.find_first_not_of("0123456789", colon + 1) == std::string::npos)
        port = std::stoi(server.substr(colon + 1));
    const std::string named = "MAIL SERVER \"" + server + "\"";
    if (colon == std::string::npos || colon == 0 || port <= 0 || port > 65535)
        out.push_back({CheckLevel::Failing, named + " IS NOT \"host:port\"", texts::fixMailServer});
    else if (!platform.setupProbe.connects(server.substr(0, colon), port, serverLimitMs))
        out.push_back({CheckLevel::Failing, named + " DOES NOT ANSWER ON ITS PORT", texts::fixMailServer});
    else
        out.push_back({CheckLevel::Fine, named + " ANSWERS ON ITS PORT", {}});

    if (facts.mailPasswordEmpty) out.push_back({CheckLevel::Doubtful, texts::mailPasswordEmpty, texts::fixMailPassword});
}

}  // namespace syncward
