#pragma once

#include <string>

namespace syncward {

struct AppContext;
class MainWindow;
class PlatformProfile;
struct RunFacts;

// End number minus start number, each read by its leading numeric part (a
// trailing line end is ignored), as a plain decimal number; a count without
// any digit makes the number unknown, and says which end is missing.
std::string downloadedBlocks(const std::string& endCount, const std::string& startCount);

// The end report, composed from what the run learnt and the settings it
// ran with. Every line ends with the platform's line end; values are
// inserted unchanged, their own line ends included.
std::string composeEndReport(const RunFacts& facts, const MainWindow& w, const std::string& executableName,
                             const PlatformProfile& profile);

// Step 16: counts the downloaded blocks, composes the report, shows it in
// LOG_FILE_OUTPUT_TEXTBOX and writes it, with one more line end, to the
// REPORTS folder. False when the file could not be written.
bool createAndWriteEndReport(AppContext& app);

// Whether this run's report and every setting it stored are on disk. A
// full disk must not look like a run that went well.
bool runOutcomeWritten(const AppContext& app);
// What a run says when it was not: that no home folder is set, when none
// is, or else to check the disk.
const char* runOutcomeNotWrittenText(const AppContext& app);

}  // namespace syncward
