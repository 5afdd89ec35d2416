#include "core/confgen/block_times_window.h"

#include <stdexcept>
#include <string>

#include "core/coins/coin_catalogue.h"
#include "core/settings/settings_status.h"
#include "core/state/app_context.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {
constexpr WindowPlacement windowPlacement{"BLOCK_TIMES_WINDOW-", 9945, 5940};

// The average in minutes as the table shows it: "10", "2.5", at most two
// decimals and none that is a trailing zero.
std::string minutesText(int seconds) {
    const int hundredths = (seconds * 100 + 30) / 60;
    std::string text = std::to_string(hundredths / 100);
    if (hundredths % 100 == 0) return text;
    const int fraction = hundredths % 100;
    text += "." + std::to_string(fraction / 10);
    if (fraction % 10 != 0) text += std::to_string(fraction % 10);
    return text;
}
}  // namespace

BlockTimesWindow::Row::Row(Form& form, const Coin& c)
    : name(form, std::string(c.ticker) + "_NAME_LABEL", c.tableLabel),
      average(form, std::string(c.ticker) + "_AVERAGE_LABEL", minutesText(c.blockSeconds)),
      time(form, std::string(c.ticker) + "_TIME_TEXTBOX", formatHms(c.blockSeconds)),
      use(form, "USE_" + std::string(c.ticker) + "_TIME_BUTTON", "Use"),
      recommended(form, "REC_" + std::string(c.ticker) + "_TIME_TEXTBOX", formatHms(c.intervalSeconds)),
      recommendedUse(form, "REC_USE_" + std::string(c.ticker) + "_TIME_BUTTON", "Use") {}

BlockTimesWindow::BlockTimesWindow(AppContext& app) : Form(formName, app.platform.loop), app_(app) {
    setCaption("SYNCWARD - AVERAGE BLOCK GENERATION TIMES - BLOCKCOUNTER RUN TIMES");
    for (const Coin& c : coinCatalogue) {
        auto& row = *rows_.emplace_back(std::make_unique<Row>(*this, c));
        // The catalogue's value, whatever the box shows now.
        const std::string blockTime = formatHms(c.blockSeconds);
        const std::string interval = formatHms(c.intervalSeconds);
        row.use.onClick.connect([this, blockTime] { use(blockTime); });
        row.recommendedUse.onClick.connect([this, interval] { use(interval); });
        row.use.setTooltip(blockTime);
        row.recommendedUse.setTooltip(interval);
    }
    OK_BUTTON.onClick.connect([this] { close(); });
    onClose.connect([this] { app_.settings.savePosition(*this, windowPlacement); });
}

BlockTimesWindow::Row& BlockTimesWindow::row(const std::string& coin) {
    for (std::size_t n = 0; n < rows_.size(); ++n)
        if (coin == coinCatalogue[n].ticker) return *rows_[n];
    throw std::out_of_range("no block time row for " + coin);
}

void BlockTimesWindow::load() {
    app_.settings.loadPlacement(*this, windowPlacement);
    for (std::size_t n = 0; n < rows_.size(); ++n) {
        rows_[n]->time.setText(formatHms(coinCatalogue[n].blockSeconds));
        rows_[n]->recommended.setText(formatHms(coinCatalogue[n].intervalSeconds));
    }
}

void BlockTimesWindow::use(const std::string& interval) {
    const SectionSettings& s = app_.settings;
    MainWindow& main = app_.main;
    main.USER_COUNT_TIME_TEXTBOX.setText(interval);
    const bool stored = s.saveText(main.USER_COUNT_TIME_TEXTBOX);
    // The override interval goes with it, as the main window shows it.
    if (!(s.saveText(main.USER_OVERRIDE_TIME_TEXTBOX) && stored)) app_.status(notStoredText(app_.profile(), settings_texts::settingsNotStored));
}

}  // namespace syncward
