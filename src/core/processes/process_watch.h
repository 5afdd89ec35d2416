#pragma once

namespace syncward {

struct AppContext;

// On every tick of MULTI_PROCESS_WATCHER_TIMER one look at the process list
// answers which of the watched programs run: QT, daemon and client by their
// configured names (a program without a name is not watched), and always
// the mailer. The answers go into the run's state (MainWindow::run): by
// name for the four process boxes the painter shows (a running client also
// holds back "Run Now"), and those this program started for the run's
// decisions.
void installProcessWatch(AppContext& app);

}  // namespace syncward
