#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/form/form.h"

namespace syncward {

struct AppContext;
struct Coin;
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

private:
    // One button a coin of the catalogue, captioned with its ticker and
    // named after it ("BTC_IMPORT_BUTTON"). Made here, between BASIC
    // SETTINGS and Cancel, so the form lists them in that order.
    std::vector<std::unique_ptr<Button>> coinButtons_ = makeCoinButtons(*this);

public:
    Button CANCEL_BUTTON{*this, "CANCEL_BUTTON", "Cancel"};
    TextBox BTC_BTG_RPC_NOTE_TEXTBOX;

    // Each opening starts disarmed, placed from the store.
    void load();
    // The coin buttons in the order of the catalogue.
    std::vector<Button*> coinButtons() const;
    // The button of the coin with that ticker ("LTC").
    Button& coinButton(const std::string& ticker) const;

private:
    static std::vector<std::unique_ptr<Button>> makeCoinButtons(Form& form);
    void arm();
    void importCoin(const Coin& coin);
    void importBasicSettings();

    AppContext& app_;
    ConfGeneratorWindow& generator_;
};

}  // namespace syncward
