#include "core/run/run_outcome.h"

#include "core/reports/end_report.h"
#include "core/blockcounter/node_check.h"
#include "core/state/app_context.h"

namespace syncward {

void markRunUnderWay(AppContext& app) {
    MainWindow& w = app.main;
    w.RUN_UNDER_WAY = true;
    // The box keeps the previous run's outcome, which this run's report
    // names; only the store learns that a run is under way.
    app.settings.save(w.MULTILOADER_LAST_RUN_TEXTBOX.name(),
                      std::string(main_texts::runUnderWay) + w.DATE_TEXTBOX.text() + " " + w.START_TIME_TEXTBOX.text() +
                          " !!!");
}

bool storeRunOutcome(AppContext& app) {
    MainWindow& w = app.main;
    w.RUN_UNDER_WAY = false;
    TextBox& lastRun = w.MULTILOADER_LAST_RUN_TEXTBOX;
    const std::string notWritten = runOutcomeNotWrittenText(app);
    const bool reportWritten = runOutcomeWritten(app);
    lastRun.setText(reportWritten ? runOutcome(w) : notWritten);
    const bool stored = app.settings.saveText(lastRun) && reportWritten;
    if (!stored) {
        lastRun.setText(notWritten);
        app.status(notWritten);
        app.platform.environment.tellStandardError("SYNCWARD - " + app.executableName + ": " + notWritten + " " +
                                                   runOutcome(w));
    }
    lastRun.setColours(colours::black, isSuccessOutcome(lastRun.text()) ? colours::green : colours::red);
    return stored;
}

bool storeRunStopped(AppContext& app) {
    MainWindow& w = app.main;
    w.RUN_UNDER_WAY = false;
    TextBox& lastRun = w.MULTILOADER_LAST_RUN_TEXTBOX;
    lastRun.setText(main_texts::runStopped);
    lastRun.setColours(colours::black, colours::red);
    if (app.settings.saveText(lastRun)) return true;
    app.status(main_texts::runStoppedNotStored);
    app.platform.environment.tellStandardError("SYNCWARD - " + app.executableName + ": " +
                                               main_texts::runStoppedNotStored);
    return false;
}

bool storePowerActionRefused(AppContext& app, const std::string& refusal) {
    TextBox& lastRun = app.main.MULTILOADER_LAST_RUN_TEXTBOX;
    std::string outcome = lastRun.text();
    constexpr std::string_view closing = " !!!";
    if (outcome.ends_with(closing)) outcome.resize(outcome.size() - closing.size());
    lastRun.setText(outcome + " - " + refusal + closing.data());
    lastRun.setColours(colours::black, colours::red);
    return app.settings.saveText(lastRun);
}

std::string shownLastRun(const std::string& stored) {
    const std::string underWay = main_texts::runUnderWay;
    if (!stored.starts_with(underWay)) return stored;
    return main_texts::runInterrupted + stored.substr(underWay.size(), stored.size() - underWay.size() - 4) +
           " - IT DID NOT END !!!";
}

}  // namespace syncward
