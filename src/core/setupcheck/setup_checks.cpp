#include "core/setupcheck/setup_checks.h"

#include <set>

namespace syncward {

CheckLines checkSetup(const SetupFacts& facts, Platform& platform) {
    CheckLines out;
    checkHomeFolder(facts, platform, out);
    checkCommandFiles(facts, platform, out);
    checkBlockchainFolder(facts, platform, out);
    checkNodePrograms(facts, platform, out);
    checkConfFile(facts, platform, out);
    checkClientReach(facts, platform, out);
    checkRunChoices(facts, out);
    checkMail(facts, platform, out);
    checkWeeklyTask(facts, platform, out);
    checkKeepAwakeAndPower(facts, platform, out);
    return out;
}

namespace {

// "litecoin-qt", "litecoind", "litecoin-cli" -> "litecoin".
std::string coinOf(const std::string& name) {
    const std::size_t dash = name.find('-');
    if (dash != std::string::npos && dash > 0) return name.substr(0, dash);
    if (name.size() > 1 && name.back() == 'd') return name.substr(0, name.size() - 1);
    return name;
}

}  // namespace

std::optional<std::string> findProgram(Platform& platform, const std::string& name) {
    if (name.empty()) return std::nullopt;
    SetupProbe& probe = platform.setupProbe;
    const PlatformProfile& profile = platform.profile;
    std::vector<std::string> folders = probe.programFolders();
    if (profile.flavour() == PlatformProfile::Flavour::Posix) {
        folders.push_back("/usr/lib/" + coinOf(name));
        folders.push_back("/usr/local/bin");
        for (const std::string& entry : probe.folderNames("/opt")) {
            folders.push_back("/opt/" + entry + "/bin");
            folders.push_back("/opt/" + entry);
        }
    }
    std::set<std::string> seen;
    for (const std::string& folder : folders) {
        if (!seen.insert(folder).second) continue;
        const std::string path = profile.join(folder, name);
        if (probe.path(path).executable) return path;
    }
    return std::nullopt;
}

}  // namespace syncward
