#pragma once

#include <sys/types.h>

#include <string>

namespace syncward::testing {

// A free TCP port on 127.0.0.1, as the system hands one out.
int freeLoopbackPort();

// The packaged litecoind itself, not the wrapper that makes ~/.litecoin.
std::string litecoindBinary();
// A copy of the packaged litecoind under another file name, in folder.
std::string litecoindCopy(const std::string& folder, const std::string& name);

// The packaged litecoind and litecoin-cli under names of one test's own,
// side by side in a folder (as a coin's daemon and client are): the
// process watch finds programs by name, so end-to-end runs that use these
// can run beside each other.
struct OwnLitecoinNames {
    explicit OwnLitecoinNames(const std::string& folder);
    std::string folder, daemonName, cliName;
    std::string daemonPath() const { return folder + "/" + daemonName; }
};

// One Litecoin node in regtest mode on 127.0.0.1 only, in its own data
// folder: the packaged litecoind and litecoin-cli. Used as "the network"
// (it mines) or as the node that SYNCWARD manages (then SYNCWARD starts and
// stops it through its command files; the test only writes its config).
class RegtestNode {
public:
    // connectTo: the p2p port of the node to connect to, 0 for none.
    // program: the litecoind to run; the network node runs a copy under
    // another name, so that SYNCWARD's process watch, which looks for
    // "litecoind", sees only the node it manages.
    RegtestNode(const std::string& dataDir, const std::string& confPath, int connectTo,
                const std::string& program = litecoindBinary());
    // A node that runs with a configuration file the test made itself.
    struct OwnConf {};
    RegtestNode(const std::string& dataDir, const std::string& confPath, OwnConf);
    ~RegtestNode();
    RegtestNode(const RegtestNode&) = delete;
    RegtestNode& operator=(const RegtestNode&) = delete;

    const std::string& dataDir() const { return dataDir_; }
    const std::string& confPath() const { return confPath_; }
    int p2pPort() const { return p2pPort_; }

    // Starts litecoind in the foreground of a child process and waits until
    // it answers; false when it did not within the limit.
    bool start(int limitSeconds = 60);
    // Asks it to stop and waits until the process has exited.
    bool stop(int limitSeconds = 60);
    void kill();

    // litecoin-cli with this node's config; the printed answer, trimmed.
    std::string cli(const std::string& arguments) const;
    int height() const;
    void mine(int blocks) const;
    // Waits until the node reports this height.
    bool waitForHeight(int height, int limitSeconds) const;

private:
    std::string dataDir_, confPath_, program_;
    int p2pPort_, rpcPort_;
    pid_t pid_ = -1;
};

}  // namespace syncward::testing
