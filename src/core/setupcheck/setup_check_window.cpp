#include "core/setupcheck/setup_check_window.h"

#include "core/form/colour.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"
#include "core/state/app_context.h"

namespace syncward {

namespace texts = setup_check_texts;

namespace {

Colour colourOf(CheckLevel level) {
    return level == CheckLevel::Fine ? colours::green : level == CheckLevel::Doubtful ? colours::yellow : colours::red;
}

}  // namespace

SetupCheckWindow::SetupCheckWindow(AppContext& app, std::function<SetupFacts()> facts)
    : Form(formName, app.platform.loop),
      facts_(std::move(facts)),
      app_(app),
      trial_(app, TRY_NODE_TIMER, TRY_NODE_REPORT_TEXTBOX, TRY_NODE_STATUS_TEXTBOX) {
    setCaption(texts::caption);
    setPlacement({0, 0, 12000, 9000});
    for (int n = 1; n <= lineCount; ++n) {
        lines_[n - 1] = std::make_unique<Label>(*this, "CHECK_LINE_" + std::to_string(n));
        lines_[n - 1]->setVisible(false);
    }
    for (TextBox* box : {&SUMMARY_TEXTBOX, &TRY_NODE_STATUS_TEXTBOX, &TRY_NODE_REPORT_TEXTBOX}) box->setLocked(true);
    RUN_CHECK_AGAIN_BUTTON.onClick.connect([this] { runCheck(); });
    // The trial runs the command files the settings wrote; it is told
    // alongside the lines that judge them.
    TRY_NODE_BUTTON.onClick.connect([this] {
        if (!trial_.underWay()) trial_.start(facts_());
    });
    CLOSE_BUTTON.onClick.connect([this] { close(); });
}

void SetupCheckWindow::runCheck() {
    results_ = checkSetup(facts_(), app_.platform);
    paint();
}

void SetupCheckWindow::paint() {
    for (int n = 1; n <= lineCount; ++n) {
        Label& label = checkLine(n);
        const bool used = n <= static_cast<int>(results_.size());
        const bool last = n == lineCount && results_.size() > static_cast<std::size_t>(lineCount);
        label.setVisible(used);
        if (!used) continue;
        const CheckLine& line = results_[n - 1];
        label.setCaption(last ? texts::tooManyLines : line.found + (line.fix.empty() ? "" : " - " + line.fix));
        label.setColours(colours::black, last ? colours::windowBackground : colourOf(line.level));
    }
    const bool failing = anyFailing(results_);
    const bool doubtful = countOf(results_, CheckLevel::Doubtful) > 0;
    SUMMARY_TEXTBOX.setText(failing ? texts::someFail : doubtful ? texts::onlyDoubts : texts::allFine);
    SUMMARY_TEXTBOX.setColours(colours::black, failing ? colours::red : doubtful ? colours::yellow : colours::green);
}

}  // namespace syncward
