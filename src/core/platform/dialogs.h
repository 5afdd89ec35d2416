#pragma once

#include <optional>
#include <string>

namespace syncward {

class Form;

// The system's folder browser and file-open dialog; nullopt when cancelled.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Opens at initialFolder (the folder the field holds) when it exists.
    virtual std::optional<std::string> browseFolder(Form& owner, const std::string& title,
                                                    const std::string& initialFolder) = 0;
    // filter in the "Label (*.ext)|*.ext|..." form; returns the full path.
    virtual std::optional<std::string> openFile(Form& owner, const std::string& title, const std::string& filter,
                                                const std::string& initialFolder) = 0;
    // Where to save a file, starting from initialPath (a folder and a
    // suggested name); the full path chosen.
    virtual std::optional<std::string> saveFile(Form& owner, const std::string& title, const std::string& filter,
                                                const std::string& initialPath) = 0;
};

}  // namespace syncward
