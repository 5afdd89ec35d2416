#include "e2e/regtest_node.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <thread>

namespace syncward::testing {

namespace {

// Mining to an anyone-can-spend script needs no wallet.
constexpr const char* mineTo = "raw(51)#8lvh9jxk";

std::string run(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        std::array<char, 4096> buffer{};
        while (std::fgets(buffer.data(), buffer.size(), pipe)) output += buffer.data();
        ::pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    return output;
}

}  // namespace

int freeLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

std::string litecoindBinary() {
    // Debian's /usr/bin/litecoind is a shell wrapper around this binary. The
    // wrapper makes ~/.litecoin first, and two nodes started at once on a
    // fresh machine race there: one of them dies of "mkdir: File exists".
    const std::string binary = "/usr/lib/litecoin/litecoind";
    return std::filesystem::exists(binary) ? binary : run("command -v litecoind");
}

std::string litecoindCopy(const std::string& folder, const std::string& name) {
    const std::string copy = folder + "/" + name;
    std::filesystem::copy_file(litecoindBinary(), copy, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(copy, std::filesystem::perms::owner_all);
    return copy;
}

OwnLitecoinNames::OwnLitecoinNames(const std::string& where)
    : folder(where), daemonName("ltcd" + std::to_string(::getpid())), cliName("ltcli" + std::to_string(::getpid())) {
    std::filesystem::create_directories(folder);
    litecoindCopy(folder, daemonName);
    // The client's thread name is the name it was started under, link or not.
    std::filesystem::create_symlink(run("command -v litecoin-cli"), folder + "/" + cliName);
}

RegtestNode::RegtestNode(const std::string& dataDir, const std::string& confPath, int connectTo,
                         const std::string& program)
    : dataDir_(dataDir),
      confPath_(confPath),
      program_(program),
      p2pPort_(freeLoopbackPort()),
      rpcPort_(freeLoopbackPort()) {
    std::filesystem::create_directories(dataDir_);
    // Everything on 127.0.0.1: no DNS seeds, no UPnP, no onion, no discovery.
    // No RPC password: the client logs in with the cookie the node leaves in
    // its data folder, as a node set up by its package does.
    std::ofstream conf(confPath_);
    conf << "regtest=1\nserver=1\ndnsseed=0\nupnp=0\nlistenonion=0\ndiscover=0\nprinttoconsole=0\n";
    conf << (connectTo ? "listen=0\n" : "listen=1\n");
    conf << "[regtest]\nport=" << p2pPort_ << "\nrpcport=" << rpcPort_ << "\nrpcbind=127.0.0.1\nrpcallowip=127.0.0.1\n";
    // The network node listens on loopback; the managed one only dials out to it.
    if (connectTo)
        conf << "connect=127.0.0.1:" << connectTo << "\n";
    else
        conf << "bind=127.0.0.1\n";
}

RegtestNode::RegtestNode(const std::string& dataDir, const std::string& confPath, OwnConf)
    : dataDir_(dataDir), confPath_(confPath), program_(litecoindBinary()), p2pPort_(0), rpcPort_(0) {
    std::filesystem::create_directories(dataDir_);
}

RegtestNode::~RegtestNode() { kill(); }

bool RegtestNode::start(int limitSeconds) {
    pid_ = ::fork();
    if (pid_ == 0) {
        ::execlp(program_.c_str(), program_.c_str(), ("-conf=" + confPath_).c_str(), ("-datadir=" + dataDir_).c_str(),
                 static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (!cli("getblockcount").empty()) return true;
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {  // it gave up, see its debug.log
            pid_ = -1;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

bool RegtestNode::stop(int limitSeconds) {
    if (pid_ <= 0) return true;
    cli("stop");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    kill();
    return false;
}

void RegtestNode::kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

std::string RegtestNode::cli(const std::string& arguments) const {
    return run("litecoin-cli -conf='" + confPath_ + "' -datadir='" + dataDir_ + "' " + arguments);
}

int RegtestNode::height() const {
    const std::string text = cli("getblockcount");
    return text.empty() ? -1 : std::stoi(text);
}

void RegtestNode::mine(int blocks) const {
    cli("generatetodescriptor " + std::to_string(blocks) + " '" + mineTo + "'");
}

bool RegtestNode::waitForHeight(int wanted, int limitSeconds) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (height() == wanted) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

}  // namespace syncward::testing
