#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace syncward {

// The sum of the sizes of the regular files below folder. Links (symbolic
// links, junctions) and every other folder that is a reparse point are
// neither followed nor counted: a junction back up the tree would make the
// walk endless, and one to another disk would count what is not the chain.
// nullopt when the folder, or a sub-folder in it, cannot be listed, or when
// stop was set before the walk ended (checked at every entry, so a walk
// abandoned on a slow disk ends within one system call).
std::optional<std::uint64_t> sumRegularFileSizes(const std::string& folder, const std::atomic<bool>* stop = nullptr);

}  // namespace syncward
