#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace syncward {

// A folder measurement under way. Dropping it abandons the measurement:
// its answer is never delivered afterwards.
class FolderMeasurement {
public:
    virtual ~FolderMeasurement() = default;
};

// What a folder's measurement found: the total in bytes (nullopt when the
// folder itself is missing or cannot be read) and the sub-folders it had to
// leave out because they could not be read, for the report to name.
struct FolderWalk {
    std::optional<std::uint64_t> bytes;
    std::vector<std::string> unread;
};

// Sums the sizes of the regular files below a folder without holding up the
// program: a large folder on a slow disk takes minutes, and the windows and
// timers go on meanwhile.
class FolderMeasurer {
public:
    using Done = std::function<void(FolderWalk)>;

    virtual ~FolderMeasurer() = default;
    // done runs later on the program's own thread, through its event loop,
    // never inside this call, and not at all once the returned measurement
    // has been dropped.
    [[nodiscard]] virtual std::unique_ptr<FolderMeasurement> measure(const std::string& folder, Done done) = 0;
};

}  // namespace syncward
