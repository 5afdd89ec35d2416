#pragma once

#include "core/form/form.h"

namespace syncward {

struct AppContext;

// SYNCWARD_DEDICATIONS_WINDOW: the people and works that inspired parts of
// the program.
class DedicationsWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_DEDICATIONS_WINDOW";

    explicit DedicationsWindow(AppContext& app);

    void load();

    Label DEDICATIONS_TITLE_LABEL{*this, "DEDICATIONS_TITLE_LABEL", "DEDICATIONS - PAST AND PRESENT"};
    TextBox DEDICATIONS_TEXTBOX{*this, "DEDICATIONS_TEXTBOX"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};

private:
    AppContext& app_;
};

}  // namespace syncward
