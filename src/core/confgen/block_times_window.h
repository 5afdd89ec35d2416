#pragma once

#include <memory>
#include <vector>

#include "core/form/form.h"

namespace syncward {

struct AppContext;
struct Coin;

// Each coin's average block time and a block counter interval that suits
// it. A "Use" button puts its fixed interval into the main window and
// stores it at once, so the next run counts with it even if the main
// window never saves.
class BlockTimesWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_BLOCK_TIMES_WINDOW";

    explicit BlockTimesWindow(AppContext& app);

    Label HEADING_LABEL{*this, "HEADING_LABEL", "AVERAGE BLOCK TIMES - BLOCKCOUNTER RUN TIMES"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};

    // One row per coin, named after the coin: "BTC_TIME_TEXTBOX",
    // "USE_BTC_TIME_BUTTON", "REC_BTC_TIME_TEXTBOX", "REC_USE_BTC_TIME_BUTTON",
    // and the row's labels "BTC_NAME_LABEL", "BTC_AVERAGE_LABEL".
    struct Row {
        Row(Form& form, const Coin& coin);
        Label name;
        Label average;
        TextBox time;
        Button use;
        TextBox recommended;
        Button recommendedUse;
    };
    const std::vector<std::unique_ptr<Row>>& rows() const { return rows_; }
    Row& row(const std::string& coin);

    // Each opening shows the catalogue's times again, placed from the store.
    void load();

private:
    void use(const std::string& interval);

    AppContext& app_;
    std::vector<std::unique_ptr<Row>> rows_;
};

}  // namespace syncward
