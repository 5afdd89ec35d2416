#include "core/blockcounter/node_presence.h"

#include "core/processes/node_command_lines.h"
#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {

// The last line with something on it, without its line end; long lines
// are cut, so one runaway line cannot flood the status and the report.
std::string lastLineOf(const std::string& text) {
    const std::size_t end = text.find_last_not_of("\r\n \t");
    if (end == std::string::npos) return {};
    const std::size_t before = text.find_last_of("\r\n", end);
    const std::size_t start = before == std::string::npos ? 0 : before + 1;
    std::string line = text.substr(start, end + 1 - start);
    constexpr std::size_t longest = 200;
    if (line.size() > longest) line = line.substr(0, longest) + "...";
    return line;
}

// A node whose command file ran and that never showed up, with no log of
// its own: the shell refuses a line whose output has no folder to go to.
std::string missingFoldersReason(AppContext& app) {
    MainWindow& w = app.main;
    if (w.NODE_SEEN_RUNNING || !w.NODE_START_FAILURE.empty()) return {};
    std::string missing;
    for (const std::string& folder :
         missingOutputFolders(app.platform.files, app.profile(), w.SYNCWARD_HOME_TEXTBOX.text()))
        missing += (missing.empty() ? "" : ", ") + folder;
    return missing.empty() ? "" : " - FOLDER MISSING: " + missing + " - MAIN SETTINGS: CREATE FOLDERS";
}

}  // namespace

NodePresence namedNodePresence(MainWindow& w) {
    bool notSeen = false;
    const std::pair<const TextBox*, WatchedProgram> programs[] = {{&w.QT_NAME_TEXTBOX, WatchedProgram::qt},
                                                                   {&w.DAEMON_NAME_TEXTBOX, WatchedProgram::daemon}};
    for (const auto& [name, program] : programs) {
        if (name->text().empty()) continue;
        const ProgramSeen seen = w.run.programs.ours(program);
        if (seen == ProgramSeen::running) return NodePresence::running;
        if (seen == ProgramSeen::unknown) notSeen = true;
    }
    return notSeen ? NodePresence::notSeenYet : NodePresence::stopped;
}

std::string nodeGoneReason(AppContext& app) {
    MainWindow& w = app.main;
    std::string reason = w.NODE_SEEN_RUNNING ? "NODE STOPPED BEFORE THE CHAIN WAS CONFIRMED" : "NODE NEVER RAN";
    if (!w.NODE_START_FAILURE.empty()) reason += " - " + w.NODE_START_FAILURE;
    if (app.profile().flavour() != PlatformProfile::Flavour::Posix) return reason;
    // The node's own last words, when its command file kept them.
    const std::string log = home_layout::nodeLogFile(app.profile(), w.SYNCWARD_HOME_TEXTBOX.text(), app.executableName);
    const TextRead read = app.platform.files.readText(log, read_limits::shownInWindow);
    if (!read.text) return reason + missingFoldersReason(app);
    const std::string last = lastLineOf(*read.text);
    return reason + " - SEE " + log + (last.empty() ? "" : ": " + last);
}

}  // namespace syncward
