#pragma once

#include <string>

namespace syncward {

struct AppContext;

// Whether ending the processes of that name would end this program: its
// executable name (with the platform's suffix) in any letter case, or any
// name the process list would find our own process under (on Linux a link's
// name and the file it points to both do).
bool wouldEndThisProgram(AppContext& app, const std::string& name);

// The name under which every copy of this program is ended at once.
std::string ownProcessName(const AppContext& app);

}  // namespace syncward
