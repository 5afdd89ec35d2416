#include "core/reports/end_report.h"

#include <string>
#include <vector>

#include "core/state/app_context.h"
#include "core/state/home_layout.h"
#include "core/state/main_window_painter.h"
#include "core/state/run_facts.h"

namespace syncward {

// Without a known start (no count was loaded before the run) the end count
// is the whole chain's height, not what this run downloaded.
std::string downloadedBlocks(const std::string& endCount, const std::string& startCount) {
    const auto start = BlockCount{startCount}.number();
    const auto end = BlockCount{endCount}.number();
    if (!start) return "UNKNOWN - NO START BLOCK COUNT";
    if (!end) return "UNKNOWN - NO END BLOCK COUNT";
    return std::to_string(*end - *start);
}

std::string composeEndReport(const RunFacts& f, const MainWindow& w, const std::string& exe,
                             const PlatformProfile& profile) {
    const std::string& nl = profile.lineEnd();
    const std::string& splitter = w.SPLITTER_LINE_TEXTBOX.text();
    const std::string& home = w.SYNCWARD_HOME_TEXTBOX.text();
    const std::string& nodeProgram = w.RUN_QT_OR_D_TEXTBOX.text();
    const std::string& programName = nodeProgram == "DAEMON" ? w.DAEMON_NAME_TEXTBOX.text() : w.QT_NAME_TEXTBOX.text();

    // The report line by line, each line a heading and its value below it
    // or beside it; an empty entry is a blank line. The top and bottom
    // messages bring their own line ends.
    std::vector<std::string> lines = {
        splitter, "",
        w.PC_NAME_TEXTBOX.text(), "",
        "Crypto Name = " + w.CRYPTO_NAME_TEXTBOX.text(), "",
        "Today = " + f.date, "",
        "START Run Time:", f.startTime, "",
        "Blockchain START Folder Size:", f.folderBefore.shown, "",
        "Last Know Block Number BEFORE Update:", f.startBlock.text,
        "Last Know Block Number AFTER Update:", f.endBlock.text,
        "Number Of Blocks Downloaded:", f.downloaded, "",
        "Blockchain END Folder Size:", f.folderAfter.shown, "",
        "END Run Time:", f.endTime, "",
        "MINIMUM RUN TIME:", f.totalRuntime, "",
        splitter, "",
        "MULTILOADER LAST RUN: " + w.MULTILOADER_LAST_RUN_TEXTBOX.text(),
        "BLOCKCOUNTER LAST RUN: " + w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "",
        "SYNCWARD Filename: ", exe + profile.executableSuffix(), "",
        "SYNCWARD Home: ", home, "",
        "BLOCKCHAIN FOLDER: ", w.BLOCKCHAIN_HOME_TEXTBOX.text(), "",
        "CRYPTO-CONFIG File: ", home_layout::configFile(profile, home, exe), "",
        "BLOCKCHAIN UPDATED USING: " + nodeProgram + " --- " + programName + " --- ",
        nodeProgram + " Shutdown Using --- " + w.CLI_NAME_TEXTBOX.text() + " ---", "",
    };
    // Said only by a run that went on with a node left running: every
    // other report keeps its lines.
    if (f.nodeLeftByEarlierRun) lines.insert(lines.end(), {run_fact_texts::nodeLeftByEarlierRun, ""});
    lines.insert(lines.end(), {"FINAL ACTION:", w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text(),
                               w.AUTOTIMER_ACTION_TEXTBOX.text(), "", splitter});
    std::string r = w.LOG_TOP_MESSAGE_TEXTBOX.text();
    for (const std::string& line : lines) r += line + nl;
    r += w.LOG_BOTTOM_MESSAGE_TEXTBOX.text();
    r += splitter + nl;
    return r;
}

bool createAndWriteEndReport(AppContext& app) {
    MainWindow& w = app.main;
    w.facts.downloaded = downloadedBlocks(w.facts.endBlock.text, w.facts.startBlock.text);
    showRunFacts(w);
    w.LOG_FILE_OUTPUT_TEXTBOX.setText(composeEndReport(w.facts, w, app.executableName, app.profile()));
    // Without a home folder the report would go to the root of the file system.
    if (!app.profile().isAbsoluteFolder(w.SYNCWARD_HOME_TEXTBOX.text())) return false;
    const std::string path = home_layout::reportFile(app.profile(), w.SYNCWARD_HOME_TEXTBOX.text(), app.executableName);
    return app.platform.files.writeText(path, w.LOG_FILE_OUTPUT_TEXTBOX.text() + app.profile().lineEnd());
}

bool runOutcomeWritten(const AppContext& app) {
    return !app.main.facts.reportNotWritten && app.settings.failedSaves() == 0;
}

const char* runOutcomeNotWrittenText(const AppContext& app) {
    return app.main.SYNCWARD_HOME_TEXTBOX.text().empty() ? main_texts::outcomeNoHome : main_texts::outcomeNotWritten;
}

}  // namespace syncward
