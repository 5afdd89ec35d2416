#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

constexpr std::uint64_t gigabyte = std::uint64_t{1} << 30;

std::string gigabytes(std::uint64_t bytes) {
    const std::uint64_t tenths = bytes * 10 / gigabyte;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " GB";
}

}  // namespace

void checkBlockchainFolder(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    if (!facts.runQt && !facts.runDaemon && !facts.usesClient) return;
    const std::string& data = facts.node.dataFolder;
    if (data.empty()) {
        out.push_back({CheckLevel::Doubtful, texts::noBlockchain, texts::fixNoBlockchain});
        return;
    }
    const std::string named = "BLOCKCHAIN FOLDER " + data;
    if (!platform.profile.isAbsoluteFolder(data)) {
        out.push_back({CheckLevel::Failing, named + " IS NOT A FULL PATH",
                       platform.profile.inOwnWords(texts::fixNotFull, texts::fixNotFullWindows)});
        return;
    }
    const PathFacts folder = platform.setupProbe.path(data);
    if (!folder.exists || !folder.folder) {
        out.push_back({CheckLevel::Failing, named + " DOES NOT EXIST",
                       platform.profile.inOwnWords(texts::fixCreateBlockchain, texts::fixCreateBlockchainWindows)});
        return;
    }
    if (!folder.writable) {
        out.push_back({CheckLevel::Failing, named + " IS NOT WRITABLE", texts::fixWriteAccess});
        return;
    }
    const std::optional<std::uint64_t> free = platform.files.freeBytes(data);
    if (!free)
        out.push_back({CheckLevel::Doubtful, named + " - ITS FREE SPACE CANNOT BE TOLD", {}});
    else if (*free < gigabyte)
        out.push_back({CheckLevel::Failing, named + " - ONLY " + gigabytes(*free) + " FREE", texts::fixFreeSpace});
    else if (*free < 10 * gigabyte)
        out.push_back({CheckLevel::Doubtful, named + " - ONLY " + gigabytes(*free) + " FREE", texts::fixFreeSpace});
    else
        out.push_back({CheckLevel::Fine, named + " - " + gigabytes(*free) + " FREE", {}});
}

}  // namespace syncward
