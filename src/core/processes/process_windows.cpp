#include "core/processes/process_windows.h"

#include "core/processes/manual_run_window.h"
#include "core/processes/self_termination_window.h"
#include "core/processes/terminator_window.h"
#include "core/state/app_context.h"

namespace syncward {

ProcessWindows::ProcessWindows(AppContext& app)
    : app_(app),
      manualRun_(std::make_unique<ManualRunWindow>(app)),
      terminator_(std::make_unique<TerminatorWindow>(app, [this] { openSelfTermination(); })),
      selfTermination_(std::make_unique<SelfTerminationWindow>(app)) {}

ProcessWindows::~ProcessWindows() = default;

void ProcessWindows::openManualRun() {
    manualRun_->load();
    app_.platform.windows.showModal(*manualRun_, app_.main);
}

void ProcessWindows::openTerminator() {
    terminator_->load();
    app_.platform.windows.showModal(*terminator_, app_.main);
}

void ProcessWindows::openSelfTermination() {
    selfTermination_->load();
    app_.platform.windows.showModal(*selfTermination_, *terminator_);
}

}  // namespace syncward
