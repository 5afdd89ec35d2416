#pragma once

namespace syncward {

struct AppContext;

// What the main window stores whenever it closes, whatever closed it.
void installMainWindowClose(AppContext& app);

// The run's switches as the close box, EXIT and the autoclose store them:
// the autostart and block counter settings, the eight step switches, (for
// EXIT and autoclose only) the node program ticks, the two e-mail command
// lines and the node program choice.
enum class NodeProgramTicks { Skip, Store };
void saveRunSwitches(AppContext& app, NodeProgramTicks nodePrograms);

}  // namespace syncward
