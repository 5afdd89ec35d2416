#pragma once

#include <string>

#include "core/platform/autostart.h"

namespace syncward {

// Entries in one autostart folder, by default the user's own
// ($XDG_CONFIG_HOME/autostart, else ~/.config/autostart).
class XdgAutostart : public Autostart {
public:
    explicit XdgAutostart(std::string folder) : folder_(std::move(folder)) {}

    Done write(const std::string& fileName, const std::string& text) override;
    Done remove(const std::string& fileName) override;
    bool exists(const std::string& fileName) override;

    static std::string defaultFolder();
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
};

}  // namespace syncward
