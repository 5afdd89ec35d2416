#pragma once

namespace syncward {

struct AppContext;

// What the main window stores whenever it closes, whatever closed it.
void installMainWindowClose(AppContext& app);

}  // namespace syncward
