#pragma once

#include <string>

namespace syncward {

// The user's desktop autostart folder: entries a desktop session starts
// when the user logs in.
class Autostart {
public:
    struct Done {
        bool ok = false;
        std::string error;  // why not, in the tool's words
    };

    virtual ~Autostart() = default;
    // Creates or replaces the entry whole, readable by its owner only.
    virtual Done write(const std::string& fileName, const std::string& text) = 0;
    // An entry that is not there is already removed.
    virtual Done remove(const std::string& fileName) = 0;
    virtual bool exists(const std::string& fileName) = 0;
};

}  // namespace syncward
