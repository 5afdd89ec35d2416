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
#include "core/processes/command_file_writer.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/qt_settings_store.h"

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
    for (const char* sub : {"", "/BATS", "/BLOCKCOUNTS", "/CONFIGS", "/LOGS", "/REPORTS"})
        fs::create_directories(home_ + sub);
    fs::create_symlink(SYNCWARD_BINARY, program_);
    setting("SYNCWARD_HOME_TEXTBOX", home_);
    setting("ALWAYS_ON_TOP_TICKBOX", "0");
}

std::string ProgramRun::settingsFile() const { return dir_ / "config/QV_SYNCWARD/QV_SYNCWARD.ini"; }

void ProgramRun::setting(const std::string& key, const std::string& value) {
    QtSettingsStore(QString::fromStdString(settingsFile())).save(name_, key, value);
}

std::string ProgramRun::storedSetting(const std::string& key) const {
    return QtSettingsStore(QString::fromStdString(settingsFile())).get(name_, key, "<absent>");
}

void ProgramRun::nodeCommandFiles(NodeCommandFields fields, const std::string& firstCount) {
    const PlatformProfile profile = PlatformProfile::posix(std::getenv("HOME") ? std::getenv("HOME") : "/");
    PosixFileSystem files;
    fields.blockCountFile = blockCountFile();
    writeCommandFile(files, profile, home_, name_, CommandFile::RunQt, qtRunCommand(profile, fields));
    writeCommandFile(files, profile, home_, name_, CommandFile::RunDaemon, daemonRunCommand(profile, fields));
    writeCommandFile(files, profile, home_, name_, CommandFile::CliStop, cliStopCommand(profile, fields));
    writeCommandFile(files, profile, home_, name_, CommandFile::BlockCounter, blockCountCommand(profile, fields));
    fields.nodeCheckFile = homeFile("BLOCKCOUNTS", "-NODE-CHECK.LOG");
    writeCommandFile(files, profile, home_, name_, CommandFile::NodeCheck, nodeCheckCommand(profile, fields));
    files.writeText(blockCountFile(), firstCount.empty() ? profile.lineEnd() : firstCount);
    // The crypto settings those files came from, as their Save stores them.
    setting("QT_LOCATION_TEXTBOX", fields.qtFolder);
    setting("DAEMON_CLI_LOCATION_TEXTBOX", fields.daemonCliFolder);
    setting("DAEMOND_NAME_TEXTBOX", fields.daemonName);
    setting("DAEMONCLI_NAME_SETTINGS_TEXTBOX", fields.cliName);
    setting("QT_NAME_TEXTBOX", fields.qtName);
    setting("BLOCKCHAIN_HOME_TEXTBOX", fields.dataFolder);
    setting("CONF_FILE_LOCATION_TEXTBOX", fields.confFile);
    setting("GETBLOCKCOUNT_LOG_LOCATION_TEXTBOX", blockCountFile());
}

void ProgramRun::unattendedRunSwitches(const std::string& cryptoName, const std::string& countEvery) {
    setting("CRYPTO_NAME_TEXTBOX", cryptoName);
    setting("USER_COUNT_TIME_TEXTBOX", countEvery);
    for (const char* tick : {"AUTOSTART_TICKBOX", "RUN_DAEMON_TICKBOX", "TASK_8_ENABLE_TICKBOX",
                             "FINISH_WHEN_IDENTICAL_TICKBOX", "TASK_11_ENABLE_TICKBOX", "TASK_19_ENABLE_TICKBOX"})
        setting(tick, "1");
}

int ProgramRun::start(const Environment& environment, const std::string& errorFile) {
    startedAtMs = epochMs();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::setenv("TZ", "UTC", 1);
        if (!pathFront.empty()) ::setenv("PATH", (pathFront + ":" + std::getenv("PATH")).c_str(), 1);
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
