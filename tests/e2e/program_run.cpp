#include "e2e/program_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QString>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/platform/platform_profile.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/qt_settings_store.h"
#include "support/copy_setup.h"

namespace syncward::testing {

namespace fs = std::filesystem;

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

long long epochMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

ProgramRun::ProgramRun(const std::string& folder, const std::string& executableName)
    : dir_(folder),
      name_(executableName),
      home_(dir_ / (executableName + "-home")),
      program_(dir_ / executableName) {
    fs::create_directories(dir_);
    fs::create_symlink(SYNCWARD_BINARY, program_);
    setUp([](CopySetup& copy) { copy.createHome(); });
}

void ProgramRun::setUp(const std::function<void(CopySetup&)>& step) const {
    QtSettingsStore store(QString::fromStdString(settingsFile()));
    PosixFileSystem files;
    CopySetup copy(store, files, PlatformProfile::posix(std::getenv("HOME") ? std::getenv("HOME") : "/"), home_,
                   name_);
    step(copy);
}

std::string ProgramRun::settingsFile() const {
    return QtSettingsStore::filePathUnder(QString::fromStdString(dir_ / "config")).toStdString();
}

void ProgramRun::setting(const std::string& key, const std::string& value) {
    setUp([&](CopySetup& copy) { copy.setting(key, value); });
}

std::string ProgramRun::storedSetting(const std::string& key) const {
    return QtSettingsStore(QString::fromStdString(settingsFile())).get(name_, key, "<absent>");
}

void ProgramRun::nodeCommandFiles(NodeCommandFields fields, const std::string& firstCount) {
    setUp([&](CopySetup& copy) { copy.nodeCommandFiles(std::move(fields), firstCount); });
}

void ProgramRun::unattendedRunSwitches(const std::string& cryptoName, const std::string& countEvery) {
    setUp([&](CopySetup& copy) { copy.unattendedRunSwitches(cryptoName, countEvery); });
}

int ProgramRun::start(const Environment& environment, const std::string& errorFile) {
    startedAtMs = epochMs();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("TZ", "UTC", 1);
        if (!pathFront.empty()) ::setenv("PATH", (pathFront + ":" + std::getenv("PATH")).c_str(), 1);
        // A power action must never reach the machine's own login manager or
        // desktop: buses nobody answers on, unless a test brings its own.
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", ("unix:path=" + (dir_ / "no-system-bus").string()).c_str(), 1);
        ::setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + (dir_ / "no-session-bus").string()).c_str(), 1);
        for (const auto& [name, value] : environment) {
            if (value.empty())
                ::unsetenv(name.c_str());
            else
                ::setenv(name.c_str(), value.c_str(), 1);
        }
        const int out = ::open(outputFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out >= 0) ::dup2(out, STDOUT_FILENO);
        if (!errorFile.empty()) {
            const int fd = ::open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fd >= 0) ::dup2(fd, STDERR_FILENO);
        }
        std::vector<char*> argv{const_cast<char*>(program_.c_str())};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execv(program_.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

int ProgramRun::wait(int pid, int limitSeconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limitSeconds);
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    endedAtMs = epochMs();
    output = readWholeFile(outputFile());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int ProgramRun::run(int limitSeconds, const Environment& environment) {
    return wait(start(environment), limitSeconds);
}

}  // namespace syncward::testing
