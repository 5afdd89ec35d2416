#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/gui_harness.h"

namespace syncward::testing {
namespace {

TEST(FolderSizerView, RunShowsAllSixLinesInTheMainWindow) {
    GuiHarness h;
    h.fake.store.put("BTC1", "BLOCKCHAIN_HOME_TEXTBOX", "/chains/bitcoin");
    h.fake.files.folderSizes["/chains/bitcoin"] = 612345678901;
    h.start();
    MainWindow& w = h.app->main();
    h.widget<QPushButton>(w, "FFS_RUN_1_BUTTON")->click();
    GuiHarness::pump(1300);
    auto* before = h.widget<QPlainTextEdit>(w, "BC_FOLDER_SIZE_BEFORE");
    // The harness runs the Windows profile; the widget shows CR LF as one line break.
    EXPECT_EQ(before->toPlainText(), QString::fromStdString(w.BC_FOLDER_SIZE_BEFORE.text()).remove('\r'));
    EXPECT_EQ(before->document()->blockCount(), 6);
    h.view(w)->grab().save(GuiHarness::screenshotPath("main_window_folder_size.png"));
}

}  // namespace
}  // namespace syncward::testing
