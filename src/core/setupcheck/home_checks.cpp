#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

bool isMailFile(CommandFile file) { return file == CommandFile::StartEmail || file == CommandFile::EndReportEmail; }

}  // namespace

void checkHomeFolder(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    const std::string& home = facts.home;
    if (home.empty()) {
        out.push_back({CheckLevel::Failing, texts::noHome, texts::fixNoHome});
        return;
    }
    const std::string named = "HOME FOLDER " + home;
    if (!platform.profile.isAbsoluteFolder(home)) {
        out.push_back({CheckLevel::Failing, named + " IS NOT A FULL PATH",
                       platform.profile.inOwnWords(texts::fixNotFull, texts::fixNotFullWindows)});
        return;
    }
    const PathFacts folder = platform.setupProbe.path(home);
    if (!folder.exists || !folder.folder) {
        out.push_back({CheckLevel::Failing, named + " DOES NOT EXIST", texts::fixCreateFolders});
        return;
    }
    if (!folder.writable) {
        out.push_back({CheckLevel::Failing, named + " IS NOT WRITABLE", texts::fixWriteAccess});
        return;
    }
    std::string missing;
    for (const char* sub : home_layout::subfolders)
        if (!platform.setupProbe.path(home_layout::subfolder(platform.profile, home, sub)).folder)
            missing += (missing.empty() ? "" : ", ") + std::string(sub);
    if (!missing.empty())
        out.push_back({CheckLevel::Failing, named + " LACKS " + missing, texts::fixCreateFolders});
    else
        out.push_back({CheckLevel::Fine, named, {}});
}

// Each command file the ticked steps run, the node's and the mailer's
// alike, is there and holds what the settings would write now: a file an
// earlier version wrote, or one edited by hand (a mail file that only says
// "exit 0"), runs something nobody sees in the windows.
void checkCommandFiles(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    if (facts.home.empty() || !platform.profile.isAbsoluteFolder(facts.home) || facts.commandFiles.empty()) return;
    const PlatformProfile& profile = platform.profile;
    std::string fine;
    for (const SetupFacts::WantedFile& wanted : facts.commandFiles) {
        const std::string name = facts.exe + commandFileStem(wanted.file) + profile.commandFileExtension();
        const TextRead read =
            platform.files.readCommandText(commandFilePath(profile, facts.home, facts.exe, wanted.file),
                                           read_limits::shownInWindow);
        const char* fix = isMailFile(wanted.file) ? texts::fixSaveMail : texts::fixSaveCrypto;
        if (!read.text)
            out.push_back({CheckLevel::Failing, "COMMAND FILE " + name + " MISSING", fix});
        else if (*read.text != wanted.line + profile.lineEnd())
            out.push_back({CheckLevel::Doubtful, "COMMAND FILE " + name + texts::differs, fix});
        else
            fine += (fine.empty() ? "" : ", ") + name;
    }
    if (!fine.empty()) out.push_back({CheckLevel::Fine, "COMMAND FILES " + fine, {}});
}

}  // namespace syncward
