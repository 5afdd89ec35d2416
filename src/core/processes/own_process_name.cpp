#include "core/processes/own_process_name.h"

#include <algorithm>
#include <cctype>

#include "core/state/app_context.h"

namespace syncward {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

}  // namespace

std::string ownProcessName(const AppContext& app) { return app.executableName + app.profile().executableSuffix(); }

bool wouldEndThisProgram(AppContext& app, const std::string& name) {
    return sameIgnoringCase(name, ownProcessName(app)) || app.platform.processes.namesThisProgram(name);
}

}  // namespace syncward
