#pragma once

namespace syncward {

struct AppContext;

// On every tick of MULTI_PROCESS_WATCHER_TIMER one look at the process list
// answers which of the watched programs run: QT, daemon and client by their
// configured names (a program without a name is not watched), and always
// the mailer. The answers go into the run's state (MainWindow::run), which
// the painter shows as the four process boxes; a running client also holds
// back "Run Now".
void installProcessWatch(AppContext& app);

}  // namespace syncward
