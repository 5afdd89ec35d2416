#include "platform/posix/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace syncward {

std::string SingleInstance::defaultFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && ::access(runtime, W_OK) == 0) return runtime;
    return "/tmp";
}

SingleInstance::SingleInstance(const std::string& folder, const std::string& executableName) {
    // The user's id in the name keeps users apart in a shared /tmp.
    const std::string path = folder + "/syncward-" + std::to_string(::getuid()) + "-" + executableName + ".lock";
    // Close-on-exec: the node and every other program the run starts must
    // not carry the lock on after this copy has ended.
    descriptor_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor_ < 0) return;
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
        heldElsewhere_ = errno == EWOULDBLOCK;
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

SingleInstance::~SingleInstance() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

}  // namespace syncward
