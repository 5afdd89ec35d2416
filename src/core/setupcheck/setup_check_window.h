#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "core/form/form.h"
#include "core/setupcheck/check_line.h"
#include "core/setupcheck/node_trial.h"
#include "core/setupcheck/setup_facts.h"

namespace syncward {

struct AppContext;

// SYNCWARD_SETUP_CHECK: every check of the set-up, one line each, green
// (fine), yellow (works, probably not what is wanted) or red (a run will
// fail), with the fix; the check again; and TRY THE NODE.
class SetupCheckWindow : public Form {
public:
    static constexpr const char* formName = "SYNCWARD_SETUP_CHECK";
    static constexpr int lineCount = 30;

    // facts reads the settings afresh for each check.
    SetupCheckWindow(AppContext& app, std::function<SetupFacts()> facts);

    TextBox SUMMARY_TEXTBOX{*this, "SUMMARY_TEXTBOX"};
    Button RUN_CHECK_AGAIN_BUTTON{*this, "RUN_CHECK_AGAIN_BUTTON", "RUN CHECK AGAIN"};
    Button TRY_NODE_BUTTON{*this, "TRY_NODE_BUTTON", "TRY THE NODE"};
    TextBox TRY_NODE_STATUS_TEXTBOX{*this, "TRY_NODE_STATUS_TEXTBOX"};
    TextBox TRY_NODE_REPORT_TEXTBOX{*this, "TRY_NODE_REPORT_TEXTBOX"};
    Button CLOSE_BUTTON{*this, "CLOSE_BUTTON", "Close"};
    Timer TRY_NODE_TIMER{*this, "TRY_NODE_TIMER"};

    // CHECK_LINE_n, n = 1..lineCount; the lines not used are hidden.
    Label& checkLine(int n) { return *lines_.at(n - 1); }

    void runCheck();
    const CheckLines& results() const { return results_; }
    NodeTrial& trial() { return trial_; }

private:
    void paint();

    std::function<SetupFacts()> facts_;
    std::array<std::unique_ptr<Label>, lineCount> lines_;
    CheckLines results_;
    AppContext& app_;
    NodeTrial trial_;
};

}  // namespace syncward
