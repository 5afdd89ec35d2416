#pragma once

#include <array>

#include "core/form/form.h"

namespace syncward {

struct AppContext;

// SYNCWARD_HELP_WINDOW: where this copy keeps its settings, and the few
// things a first-time user should know.
class HelpWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_HELP_WINDOW";

    explicit HelpWindow(AppContext& app);

    void load();

    Label HELP_TITLE_LABEL{*this, "HELP_TITLE_LABEL", "BASIC HELP"};
    Label REGISTRY_LOCATION_LABEL{*this, "REGISTRY_LOCATION_LABEL"};
    TextBox REGISTRY_LOCATION_TEXTBOX{*this, "REGISTRY_LOCATION_TEXTBOX"};
    Label HELP_NOTE_1_LABEL{*this, "HELP_NOTE_1_LABEL"};
    Label HELP_NOTE_2_LABEL{*this, "HELP_NOTE_2_LABEL"};
    Label HELP_NOTE_3_LABEL{*this, "HELP_NOTE_3_LABEL"};
    Label HELP_NOTE_4_LABEL{*this, "HELP_NOTE_4_LABEL"};
    Label HELP_NOTE_5_LABEL{*this, "HELP_NOTE_5_LABEL"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};

    std::array<Label*, 5> notes() {
        return {&HELP_NOTE_1_LABEL, &HELP_NOTE_2_LABEL, &HELP_NOTE_3_LABEL, &HELP_NOTE_4_LABEL, &HELP_NOTE_5_LABEL};
    }

private:
    AppContext& app_;
};

}  // namespace syncward
