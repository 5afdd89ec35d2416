#include "core/reports/end_report.h"

#include <cctype>
#include <string>
#include <vector>

#include "core/state/app_context.h"
#include "core/state/home_layout.h"

namespace syncward {

namespace {

bool hasDigit(const std::string& text) { return text.find_first_of("0123456789") != std::string::npos; }

long long leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    // Eighteen digits keep any block height far from overflow.
    for (int digits = 0; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && digits < 18;
         ++i, ++digits)
        value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

}  // namespace

std::optional<long long> blockNumber(const std::string& count) {
    if (!hasDigit(count)) return std::nullopt;
    return leadingNumber(count);
}

// Without a known start (no count was loaded before the run) the end count
// is the whole chain's height, not what this run downloaded.
std::string downloadedBlocks(const std::string& endCount, const std::string& startCount) {
    if (!hasDigit(startCount)) return "UNKNOWN - NO START BLOCK COUNT";
    if (!hasDigit(endCount)) return "UNKNOWN - NO END BLOCK COUNT";
    return std::to_string(leadingNumber(endCount) - leadingNumber(startCount));
}

std::string composeEndReport(const MainWindow& w, const std::string& exe, const PlatformProfile& profile) {
    const std::string& nl = profile.lineEnd();
    const std::string& splitter = w.SPLITTER_LINE_TEXTBOX.text();
    const std::string& home = w.SYNCWARD_HOME_TEXTBOX.text();
    const std::string& nodeProgram = w.RUN_QT_OR_D_TEXTBOX.text();
    const std::string& programName = nodeProgram == "DAEMON" ? w.DAEMON_NAME_TEXTBOX.text() : w.QT_NAME_TEXTBOX.text();

    // The report line by line, each line a heading and its value below it
    // or beside it; an empty entry is a blank line. The top and bottom
    // messages bring their own line ends.
    const std::vector<std::string> lines = {
        splitter, "",
        w.PC_NAME_TEXTBOX.text(), "",
        "Crypto Name = " + w.CRYPTO_NAME_TEXTBOX.text(), "",
        "Today = " + w.DATE_TEXTBOX.text(), "",
        "START Run Time:", w.START_TIME_TEXTBOX.text(), "",
        "Blockchain START Folder Size:", w.BC_FOLDER_SIZE_BEFORE.text(), "",
        "Last Know Block Number BEFORE Update:", w.BLOCKCOUNT_LOG_START_TEXTBOX.text(),
        "Last Know Block Number AFTER Update:", w.BLOCKCOUNT_LOG_END_TEXTBOX.text(),
        "Number Of Blocks Downloaded:", w.DOWNLOADED_BLOCKS_TEXTBOX.text(), "",
        "Blockchain END Folder Size:", w.BC_FOLDER_SIZE_AFTER.text(), "",
        "END Run Time:", w.END_TIME_TEXTBOX.text(), "",
        "MINIMUM RUN TIME:", w.TOTAL_RUNTIME_TEXTBOX.text(), "",
        splitter, "",
        "MULTILOADER LAST RUN: " + w.MULTILOADER_LAST_RUN_TEXTBOX.text(),
        "BLOCKCOUNTER LAST RUN: " + w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text(), "",
        "SYNCWARD Filename: ", exe + profile.executableSuffix(), "",
        "SYNCWARD Home: ", home, "",
        "BLOCKCHAIN FOLDER: ", w.BLOCKCHAIN_HOME_TEXTBOX.text(), "",
        "CRYPTO-CONFIG File: ", home_layout::configFile(profile, home, exe), "",
        "BLOCKCHAIN UPDATED USING: " + nodeProgram + " --- " + programName + " --- ",
        nodeProgram + " Shutdown Using --- " + w.CLI_NAME_TEXTBOX.text() + " ---", "",
        "FINAL ACTION:", w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text(), w.AUTOTIMER_ACTION_TEXTBOX.text(), "",
        splitter,
    };
    std::string r = w.LOG_TOP_MESSAGE_TEXTBOX.text();
    for (const std::string& line : lines) r += line + nl;
    r += w.LOG_BOTTOM_MESSAGE_TEXTBOX.text();
    r += splitter + nl;
    return r;
}

bool createAndWriteEndReport(AppContext& app) {
    MainWindow& w = app.main;
    w.DOWNLOADED_BLOCKS_TEXTBOX.setText(
        downloadedBlocks(w.BLOCKCOUNT_LOG_END_TEXTBOX.text(), w.BLOCKCOUNT_LOG_START_TEXTBOX.text()));
    w.LOG_FILE_OUTPUT_TEXTBOX.setText(composeEndReport(w, app.executableName, app.profile()));
    // Without a home folder the report would go to the root of the file system.
    if (!app.profile().isAbsoluteFolder(w.SYNCWARD_HOME_TEXTBOX.text())) return false;
    const std::string path = home_layout::reportFile(app.profile(), w.SYNCWARD_HOME_TEXTBOX.text(), app.executableName);
    return app.platform.files.writeText(path, w.LOG_FILE_OUTPUT_TEXTBOX.text() + app.profile().lineEnd());
}

bool runOutcomeWritten(const AppContext& app) {
    return !app.main.REPORT_NOT_WRITTEN && app.settings.failedSaves() == 0;
}

const char* runOutcomeNotWrittenText(const AppContext& app) {
    return app.main.SYNCWARD_HOME_TEXTBOX.text().empty() ? main_texts::outcomeNoHome : main_texts::outcomeNotWritten;
}

}  // namespace syncward
