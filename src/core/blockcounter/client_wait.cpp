#include "core/blockcounter/client_wait.h"

#include "core/state/app_context.h"

namespace syncward {

namespace {
// Two minutes of the waits' 250 ms ticks.
constexpr long long hangTicks = 480;
}  // namespace

void startClientWait(AppContext& app) { app.main.CLIENT_RUNNING_TICKS = 0; }

bool endClientThatHangs(AppContext& app) {
    MainWindow& w = app.main;
    if (++w.CLIENT_RUNNING_TICKS < hangTicks) return false;
    app.platform.processes.terminateOurs(w.CLI_NAME_TEXTBOX.text());
    w.CLIENT_RUNNING_TICKS = 0;
    return true;
}

}  // namespace syncward
