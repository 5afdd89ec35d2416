#pragma once

#include <memory>
#include <vector>

#include "core/form/form.h"

namespace syncward {

struct AppContext;
struct CoinPreset;
class ConfGeneratorWindow;

// "Import Default Settings": fills the generator with a coin's name and
// ports, or with the basic options. The buttons are armed by the tick box,
// and a coin import disarms them again, so each import takes a fresh tick.
// Nothing is stored; the generator's SAVE does that.
class CoinPresetsWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_IMPORT_DEFAULT_SETTINGS";

    CoinPresetsWindow(AppContext& app, ConfGeneratorWindow& generator);

    TickBox IMPORT_SETTINGS_TICKBOX{*this, "IMPORT_SETTINGS_TICKBOX", "Import Default Settings"};
    Label DO_THIS_FIRST_LABEL{*this, "DO_THIS_FIRST_LABEL", "DO THIS FIRST"};
    Button BASIC_SETTINGS_BUTTON{*this, "BASIC_SETTINGS_BUTTON", "BASIC SETTINGS"};
    Button BTC_IMPORT_BUTTON{*this, "BTC_IMPORT_BUTTON", "BTC"};
    Button NMC_IMPORT_BUTTON{*this, "NMC_IMPORT_BUTTON", "NMC"};
    Button LTC_IMPORT_BUTTON{*this, "LTC_IMPORT_BUTTON", "LTC"};
    Button DASH_IMPORT_BUTTON{*this, "DASH_IMPORT_BUTTON", "DASH"};
    Button VTC_IMPORT_BUTTON{*this, "VTC_IMPORT_BUTTON", "VTC"};
    Button BTG_IMPORT_BUTTON{*this, "BTG_IMPORT_BUTTON", "BTG"};
    Button CANCEL_BUTTON{*this, "CANCEL_BUTTON", "Cancel"};
    TextBox BTC_BTG_RPC_NOTE_TEXTBOX;

    // Each opening starts disarmed, placed from the store.
    void load();
    // The coin buttons in the order of the preset table.
    std::vector<Button*> coinButtons();

private:
    void arm();
    void importCoin(const CoinPreset& coin);
    void importBasicSettings();

    AppContext& app_;
    ConfGeneratorWindow& generator_;
};

}  // namespace syncward
