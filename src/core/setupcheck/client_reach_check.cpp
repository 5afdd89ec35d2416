#include <algorithm>
#include <cctype>

#include "core/blockcounter/node_check_answer.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

// How long the client may take: a node that runs answers at once or says
// it is still starting.
constexpr int clientLimitMs = 15000;

bool says(std::string text, const std::string& lowerWords) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.find(lowerWords) != std::string::npos;
}

std::string firstLine(const std::string& text) {
    const auto start = text.find_first_not_of(" \r\n");
    if (start == std::string::npos) return "NOTHING";
    return text.substr(start, text.find_first_of("\r\n", start) - start);
}

bool nodeRuns(const SetupFacts& facts, Platform& platform) {
    std::vector<std::string> names;
    for (const std::string* name : {&facts.node.qtName, &facts.node.daemonName})
        if (!name->empty()) names.push_back(*name);
    if (names.empty()) return false;
    const auto running = platform.processes.running(names);
    return running && std::find(running->begin(), running->end(), true) != running->end();
}

}  // namespace

// The client as the run calls it: the same program, configuration file and
// data folder (where the login cookie lies), asked for the chain state.
void checkClientReach(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    const NodeCommandFields& node = facts.node;
    if (!facts.usesClient || node.cliName.empty()) return;
    const std::string client = platform.profile.join(node.daemonCliFolder, node.cliName);
    if (!platform.setupProbe.path(client).executable) return;  // already named above
    if (!nodeRuns(facts, platform)) {
        out.push_back({CheckLevel::Fine, texts::nodeNotRunning, texts::fixNodeNotRunning});
        return;
    }
    std::vector<std::string> argv{client, "-conf=" + node.confFile};
    if (platform.profile.flavour() == PlatformProfile::Flavour::Posix && !node.dataFolder.empty())
        argv.push_back("-datadir=" + node.dataFolder);
    argv.push_back("getblockchaininfo");
    const ProgramOutput answer = platform.setupProbe.runToEnd(argv, clientLimitMs);
    if (!answer.started)
        out.push_back({CheckLevel::Failing, "THE CLIENT " + client + " COULD NOT BE STARTED", texts::fixInstallNode});
    else if (answer.timedOut)
        out.push_back({CheckLevel::Failing, "THE CLIENT GOT NO ANSWER IN 15 SECONDS", texts::fixWrongPort});
    else if (answer.status == 0)
        out.push_back({CheckLevel::Fine, texts::clientReaches, {}});
    else if (says(answer.text, "incorrect rpcuser or rpcpassword"))
        out.push_back({CheckLevel::Failing, texts::loginRefused, texts::fixLoginRefused});
    else if (says(answer.text, "could not connect to the server"))
        out.push_back({CheckLevel::Failing, texts::wrongPort, texts::fixWrongPort});
    else if (saysStillStarting(answer.text))
        out.push_back({CheckLevel::Doubtful, texts::nodeStarting, texts::fixNodeStarting});
    else
        out.push_back({CheckLevel::Failing, "THE CLIENT SAYS: " + firstLine(answer.text), texts::fixClientFails});
}

}  // namespace syncward
