#pragma once

namespace syncward {

struct AppContext;

// The blockchain folder's size before and after a run. Each measurement is
// a one-shot timer of the main window (FOLDER_SIZER_BEFORE_TIMER,
// FOLDER_SIZER_AFTER_TIMER): enabling it, by its "Run" button or by the run
// sequence, measures one second later and writes six lines, bytes to
// petabytes, into BC_FOLDER_SIZE_BEFORE or BC_FOLDER_SIZE_AFTER.
void installFolderSizer(AppContext& app);

}  // namespace syncward
