#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace syncward {

// The sum of the sizes of the regular files below folder, symbolic links
// not followed; nullopt when the folder, or a sub-folder in it, cannot be
// listed, or when stop was set before the walk ended (checked at every
// entry, so a walk abandoned on a slow disk ends within one system call).
std::optional<std::uint64_t> sumRegularFileSizes(const std::string& folder,
                                                 const std::atomic<bool>* stop = nullptr);

}  // namespace syncward
