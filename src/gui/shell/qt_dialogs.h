#pragma once

#include "core/platform/dialogs.h"

namespace syncward {

class QtWindowHost;

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QtWindowHost& host) : host_(host) {}
    std::optional<std::string> browseFolder(Form& owner, const std::string& title,
                                            const std::string& initialFolder) override;
    std::optional<std::string> openFile(Form& owner, const std::string& title, const std::string& filter,
                                        const std::string& initialFolder) override;
    std::optional<std::string> saveFile(Form& owner, const std::string& title, const std::string& filter,
                                        const std::string& initialPath) override;

private:
    QtWindowHost& host_;
};

}  // namespace syncward
