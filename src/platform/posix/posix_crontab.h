#pragma once

#include <string>

#include "core/platform/crontab.h"

namespace syncward {

// The user's crontab through the crontab command on the PATH: "crontab -l"
// reads it, "crontab -" replaces it from standard input.
class PosixCrontab : public Crontab {
public:
    // user: another user's table (for root only); empty for one's own.
    explicit PosixCrontab(Program program, std::string user = {})
        : program_(std::move(program)), user_(std::move(user)) {}

    Read read() override;
    Written write(const std::string& text) override;
    Program program() override { return program_; }

    // What a timed start of this copy runs: its absolute path as started
    // (links not resolved, so the copy keeps its name), and the variables
    // of the display its window opened on, when it opened on one.
    static Program programOf(const std::string& argv0, bool onDisplay);

private:
    Program program_;
    std::string user_;
};

}  // namespace syncward
