#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "core/platform/folder_measurer.h"

namespace syncward {

// What the node keeps below folder: the sizes of the regular files, with a
// symbolic link to a folder followed (block files moved to a larger disk
// are part of the chain), each folder counted once however many links lead
// to it, so a link back up the tree ends nothing. A sub-folder that cannot
// be read (the root-only lost+found at the top of a disk of its own) is left
// out and named; no bytes when the folder itself is missing or cannot be
// listed, or when stop was set before the walk ended (checked at every
// entry, so a walk abandoned on a slow disk ends within one system call).
FolderWalk measureFolder(const std::string& folder, const std::atomic<bool>* stop = nullptr);

// The bytes alone.
std::optional<std::uint64_t> sumRegularFileSizes(const std::string& folder,
                                                 const std::atomic<bool>* stop = nullptr);

}  // namespace syncward
