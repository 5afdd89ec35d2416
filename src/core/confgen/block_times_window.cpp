#include "core/confgen/block_times_window.h"

#include <stdexcept>
#include <string>

#include "core/confgen/coin_presets.h"
#include "core/settings/settings_status.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {
constexpr WindowPlacement windowPlacement{"BLOCK_TIMES_WINDOW-", 9945, 5940};
}  // namespace

BlockTimesWindow::Row::Row(Form& form, const BlockTime& t)
    : name(form, std::string(t.coin) + "_NAME_LABEL", t.label),
      average(form, std::string(t.coin) + "_AVERAGE_LABEL", t.averageMinutes),
      time(form, std::string(t.coin) + "_TIME_TEXTBOX", t.clockTime),
      use(form, "USE_" + std::string(t.coin) + "_TIME_BUTTON", "Use"),
      recommended(form, "REC_" + std::string(t.coin) + "_TIME_TEXTBOX", t.recommended),
      recommendedUse(form, "REC_USE_" + std::string(t.coin) + "_TIME_BUTTON", "Use") {}

BlockTimesWindow::BlockTimesWindow(AppContext& app) : Form(formName, app.platform.loop), app_(app) {
    setCaption("SYNCWARD - AVERAGE BLOCK GENERATION TIMES - BLOCKCOUNTER RUN TIMES");
    for (const BlockTime& t : blockTimes) {
        auto& row = *rows_.emplace_back(std::make_unique<Row>(*this, t));
        // The table's value, whatever the box shows now.
        row.use.onClick.connect([this, &t] { use(t.clockTime); });
        row.recommendedUse.onClick.connect([this, &t] { use(t.recommended); });
        row.use.setTooltip(t.clockTime);
        row.recommendedUse.setTooltip(t.recommended);
    }
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, windowPlacement); });
}

BlockTimesWindow::Row& BlockTimesWindow::row(const std::string& coin) {
    for (std::size_t n = 0; n < rows_.size(); ++n)
        if (coin == blockTimes[n].coin) return *rows_[n];
    throw std::out_of_range("no block time row for " + coin);
}

void BlockTimesWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    for (std::size_t n = 0; n < rows_.size(); ++n) {
        rows_[n]->time.setText(blockTimes[n].clockTime);
        rows_[n]->recommended.setText(blockTimes[n].recommended);
    }
}

void BlockTimesWindow::use(const char* interval) {
    const SectionSettings& s = app_.settings;
    MainWindow& main = app_.main;
    main.USER_COUNT_TIME_TEXTBOX.setText(interval);
    const bool stored = s.saveText(main.USER_COUNT_TIME_TEXTBOX);
    // The override interval goes with it, as the main window shows it.
    if (!(s.saveText(main.USER_OVERRIDE_TIME_TEXTBOX) && stored)) app_.status(notStoredText(app_.profile(), settings_texts::settingsNotStored));
}

}  // namespace syncward
