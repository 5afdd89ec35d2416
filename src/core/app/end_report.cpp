#include "core/app/end_report.h"

#include <cctype>

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

    std::string r;
    r += w.LOG_TOP_MESSAGE_TEXTBOX.text();
    r += splitter + nl;
    r += nl;
    r += w.PC_NAME_TEXTBOX.text() + nl;
    r += nl;
    r += "Crypto Name = " + w.CRYPTO_NAME_TEXTBOX.text() + nl;
    r += nl;
    r += "Today = " + w.DATE_TEXTBOX.text() + nl;
    r += nl;
    r += "START Run Time:" + nl;
    r += w.START_TIME_TEXTBOX.text() + nl;
    r += nl;
    r += "Blockchain START Folder Size:" + nl;
    r += w.BC_FOLDER_SIZE_BEFORE.text() + nl;
    r += nl;
    r += "Last Know Block Number BEFORE Update:" + nl;
    r += w.BLOCKCOUNT_LOG_START_TEXTBOX.text() + nl;
    r += "Last Know Block Number AFTER Update:" + nl;
    r += w.BLOCKCOUNT_LOG_END_TEXTBOX.text() + nl;
    r += "Number Of Blocks Downloaded:" + nl;
    r += w.DOWNLOADED_BLOCKS_TEXTBOX.text() + nl;
    r += nl;
    r += "Blockchain END Folder Size:" + nl;
    r += w.BC_FOLDER_SIZE_AFTER.text() + nl;
    r += nl;
    r += "END Run Time:" + nl;
    r += w.END_TIME_TEXTBOX.text() + nl;
    r += nl;
    r += "MINIMUM RUN TIME:" + nl;
    r += w.TOTAL_RUNTIME_TEXTBOX.text() + nl;
    r += nl;
    r += splitter + nl;
    r += nl;
    r += "MULTILOADER LAST RUN: " + w.MULTILOADER_LAST_RUN_TEXTBOX.text() + nl;
    r += "BLOCKCOUNTER LAST RUN: " + w.BLOCKCOUNTER_LAST_RUN_TEXTBOX.text() + nl;
    r += nl;
    r += "SYNCWARD Filename: " + nl;
    r += exe + profile.executableSuffix() + nl;
    r += nl;
    r += "SYNCWARD Home: " + nl;
    r += home + nl;
    r += nl;
    r += "BLOCKCHAIN FOLDER: " + nl;
    r += w.BLOCKCHAIN_HOME_TEXTBOX.text() + nl;
    r += nl;
    r += "CRYPTO-CONFIG File: " + nl;
    r += home_layout::configFile(profile, home, exe) + nl;
    r += nl;
    r += "BLOCKCHAIN UPDATED USING: " + nodeProgram + " --- " + programName + " --- " + nl;
    r += nodeProgram + " Shutdown Using --- " + w.CLI_NAME_TEXTBOX.text() + " ---" + nl;
    r += nl;
    r += "FINAL ACTION:" + nl;
    r += w.AUTOCLOSE_OR_POWER_AUTOTIMER_TEXTBOX.text() + nl;
    r += w.AUTOTIMER_ACTION_TEXTBOX.text() + nl;
    r += nl;
    r += splitter + nl;
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
