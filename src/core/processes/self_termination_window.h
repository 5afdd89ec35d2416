#pragma once

#include "core/form/form.h"

namespace syncward {

struct AppContext;

// SYNCWARD_SELF_TERMINATION_WINDOW: the last word before the terminator
// ends this program. Yes ends it and every other running copy under the
// same executable name at once, with no settings saved and no report.
class SelfTerminationWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_SELF_TERMINATION_WINDOW";

    explicit SelfTerminationWindow(AppContext& app);

    void load();

    TextBox HA_HA_MESSAGE_TEXTBOX{*this, "HA_HA_MESSAGE_TEXTBOX", "MMM... SELF-TERMINATION... !?!?!? :)"};
    Button SELF_TERMINATE_BUTTON{*this, "SELF_TERMINATE_BUTTON", "YES, REALLY, SELF-TERMINATE..."};
    Button ONLY_JOKING_BUTTON{*this, "ONLY_JOKING_BUTTON", "!!! NO - ONLY JOKING !!! :)"};
    Label SELF_TERMINATION_LABEL{*this, "SELF_TERMINATION_LABEL", "SELF-TERMINATION"};
    Label SYNCWARD_TITLE_LABEL{*this, "SYNCWARD_TITLE_LABEL", "SYNCWARD"};

private:
    AppContext& app_;
};

}  // namespace syncward
