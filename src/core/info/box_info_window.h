#pragma once

#include "core/form/form.h"

namespace syncward {

struct AppContext;

// SYNCWARD_BOX_INFO_WINDOW: the computer's and the user's names.
class BoxInfoWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_BOX_INFO_WINDOW";

    explicit BoxInfoWindow(AppContext& app);

    void load();

    Label BOX_INFO_LABEL{*this, "BOX_INFO_LABEL", "BOX-INFO"};
    TextBox PC_NAME_TEXTBOX{*this, "PC_NAME_TEXTBOX"};
    TextBox USERNAME_TEXTBOX{*this, "USERNAME_TEXTBOX"};
    Button OK_BUTTON{*this, "OK_BUTTON", "OK"};

private:
    AppContext& app_;
};

}  // namespace syncward
