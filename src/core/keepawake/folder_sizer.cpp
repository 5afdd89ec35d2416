#include "core/keepawake/folder_sizer.h"

#include <array>
#include <optional>

#include "core/keepawake/size_ladder.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

constexpr const char* noFolderSet = "!!! NO BLOCKCHAIN FOLDER SET !!!";
constexpr const char* folderNotFound = "!!! BLOCKCHAIN FOLDER NOT FOUND !!!";
constexpr const char* folderNotReadable = "!!! BLOCKCHAIN FOLDER NOT READABLE !!!";

std::array<TextBox*, sizeLadderSteps> workingBoxes(MainWindow& w) {
    return {&w.FILE_SIZE_BYTES_TEXTBOX,     &w.FILE_SIZE_KILOBYTES_TEXTBOX, &w.FILE_SIZE_MEGABYTES_TEXTBOX,
            &w.FILE_SIZE_GIGABYTES_TEXTBOX, &w.FILE_SIZE_TERABYTES_TEXTBOX, &w.FILE_SIZE_PETABYTES_TEXTBOX};
}

// Why a folder has no size, with the folder on a second line so the user
// (and the end report) can see which path was asked for.
std::string failureText(AppContext& app, const std::string& folder) {
    if (folder.empty()) return noFolderSet;
    const char* reason = app.platform.files.folderExists(folder) ? folderNotReadable : folderNotFound;
    return reason + app.profile().lineEnd() + folder;
}

void measure(AppContext& app, Button& runButton, TextBox& result, Timer& timer) {
    MainWindow& w = app.main;
    runButton.setEnabled(false);

    const std::string folder = w.BLOCKCHAIN_HOME_TEXTBOX.text();
    const auto bytes = folder.empty() ? std::nullopt : app.platform.files.folderSize(folder);
    const auto boxes = workingBoxes(w);
    if (bytes) {
        const auto lines = sizeLadder(*bytes, app.platform.environment.numberSeparators());
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            boxes[i]->setText(lines[i]);
            if (i > 0) joined += app.profile().lineEnd();
            joined += lines[i];
        }
        result.setText(joined);
    } else {
        // No stale figures from an earlier measurement beside the failure.
        for (TextBox* box : boxes) box->setText("");
        result.setText(failureText(app, folder));
    }

    runButton.setEnabled(true);
    timer.stop();
}

}  // namespace

void installFolderSizer(AppContext& app) {
    MainWindow& w = app.main;
    w.FOLDER_SIZER_BEFORE_TIMER.onTick = [&app, &w] {
        measure(app, w.FFS_RUN_1_BUTTON, w.BC_FOLDER_SIZE_BEFORE, w.FOLDER_SIZER_BEFORE_TIMER);
    };
    w.FOLDER_SIZER_AFTER_TIMER.onTick = [&app, &w] {
        measure(app, w.FFS_RUN_2_BUTTON, w.BC_FOLDER_SIZE_AFTER, w.FOLDER_SIZER_AFTER_TIMER);
    };
    w.FFS_RUN_1_BUTTON.onClick = [&w] { w.FOLDER_SIZER_BEFORE_TIMER.start(); };
    w.FFS_RUN_2_BUTTON.onClick = [&w] { w.FOLDER_SIZER_AFTER_TIMER.start(); };
}

}  // namespace syncward
