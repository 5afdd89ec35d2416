#pragma once

#include <optional>
#include <string>

namespace syncward {

// The desktop autostart entry that starts this copy with --catch-up when
// the user logs in: a machine that wakes from sleep into a session, where
// no boot happens, catches up too.
namespace autostart_entry {

// "syncward-<name>-catch-up.desktop", the name's bytes outside letters,
// digits and "-" written as "_XX", so every copy has a file of its own.
std::string fileName(const std::string& executableName);

// The entry; nullopt when a line break or another control character in the
// path or name cannot be carried by a desktop entry.
std::optional<std::string> text(const std::string& programPath, const std::string& taskName);

}  // namespace autostart_entry

}  // namespace syncward
