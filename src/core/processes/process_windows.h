#pragma once

#include <memory>

namespace syncward {

struct AppContext;
class ManualRunWindow;
class SelfTerminationWindow;
class TerminatorWindow;

// The windows that start, stop and end programs by hand. Each is loaded
// afresh on every open: placement, names and states as they are now.
class ProcessWindows {
public:
    explicit ProcessWindows(AppContext& app);
    ~ProcessWindows();

    ManualRunWindow& manualRun() { return *manualRun_; }
    TerminatorWindow& terminator() { return *terminator_; }
    SelfTerminationWindow& selfTermination() { return *selfTermination_; }

    // The first two modal over the main window, the last over the terminator.
    void openManualRun();
    void openTerminator();
    void openSelfTermination();

private:
    AppContext& app_;
    std::unique_ptr<ManualRunWindow> manualRun_;
    std::unique_ptr<TerminatorWindow> terminator_;
    std::unique_ptr<SelfTerminationWindow> selfTermination_;
};

}  // namespace syncward
