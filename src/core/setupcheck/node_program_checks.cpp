#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

void checkProgram(Platform& platform, const char* kind, const std::string& folder, const std::string& name,
                  CheckLines& out) {
    if (name.empty()) {
        out.push_back({CheckLevel::Failing, std::string("NO ") + kind + " PROGRAM NAMED", texts::fixNoProgramName});
        return;
    }
    const std::string path = platform.profile.join(folder, name);
    const PathFacts facts = platform.setupProbe.path(path);
    if (facts.executable) {
        out.push_back({CheckLevel::Fine, std::string(kind) + " PROGRAM " + path, {}});
        return;
    }
    const std::string found = std::string(kind) + " PROGRAM " + path +
                              (facts.exists ? " IS NOT EXECUTABLE" : " DOES NOT EXIST");
    if (const std::optional<std::string> elsewhere = findProgram(platform, name)) {
        const std::string where = elsewhere->substr(0, elsewhere->size() - name.size() - 1);
        out.push_back({CheckLevel::Failing, found,
                       "FOUND AT " + *elsewhere + " - CRYPTO SETTINGS: PUT " + where + " AS ITS FOLDER"});
    } else {
        out.push_back({CheckLevel::Failing, found, texts::fixInstallNode});
    }
}

}  // namespace

void checkNodePrograms(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    const NodeCommandFields& node = facts.node;
    if (!facts.runQt && !facts.runDaemon) out.push_back({CheckLevel::Doubtful, texts::noNodeChosen, texts::fixNoNodeChosen});
    if (facts.runQt) checkProgram(platform, "QT", node.qtFolder, node.qtName, out);
    if (facts.runDaemon) checkProgram(platform, "DAEMON", node.daemonCliFolder, node.daemonName, out);
    if (facts.usesClient) checkProgram(platform, "CLIENT", node.daemonCliFolder, node.cliName, out);
}

}  // namespace syncward
