#pragma once

#include <string>
#include <string_view>

namespace syncward {

// The system's reason for refusing a power action, shortened and in
// capitals for the status line, the stored last run and the history: the
// well-known refusals in the user's words ("Interactive authentication
// required" is what a start outside a desktop session is told), anything
// else as its first line, cut to a readable length. A D-Bus error name
// counts as the message it stands for.
std::string refusalReason(std::string_view systemText);

// "POWER AUTOTIMER - SHUTDOWN PC - REFUSED BY THE SYSTEM (REASON)": the
// final action as the history keeps it once the system said no.
std::string refusedFinalAction(const std::string& finalAction, const std::string& reason);
// "SHUTDOWN PC REFUSED BY THE SYSTEM (REASON)": the same, said of the
// action alone, after the outcome of the run.
std::string refusedAction(const std::string& action, const std::string& reason);

}  // namespace syncward
