#pragma once

namespace syncward {

struct AppContext;

// The two exclusions of the main window: at most one node program (QT
// wallet or daemon) and at most one final action (autoclose or power
// autotimer) is ticked at a time.
void installRunChoices(AppContext& app);

}  // namespace syncward
