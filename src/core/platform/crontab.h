#pragma once

#include <string>
#include <utility>
#include <vector>

namespace syncward {

// The user's table of timed starts (crontab), read and written whole.
class Crontab {
public:
    struct Read {
        enum class Outcome { Read, NoTable, Failed };
        Outcome outcome = Outcome::Failed;
        std::string text;   // the table, byte for byte, when read
        std::string error;  // why it failed, in the tool's words
    };
    struct Written {
        bool ok = false;
        std::string error;
    };
    // What a timed start runs: this copy of the program as it was started
    // (its absolute path, links not resolved, so the copy keeps its name)
    // and the variables of the display its window opened on, if any.
    struct Program {
        std::string path;
        std::vector<std::pair<std::string, std::string>> environment;
    };

    virtual ~Crontab() = default;
    virtual Read read() = 0;
    virtual Written write(const std::string& text) = 0;
    virtual Program program() = 0;
};

}  // namespace syncward
