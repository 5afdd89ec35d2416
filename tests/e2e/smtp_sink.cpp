#include "e2e/smtp_sink.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "e2e/program_run.h"

namespace syncward::testing {

SmtpSink::SmtpSink(const std::string& folder, const std::string& user, const std::string& password, bool hold)
    : outDir_(folder + "/sink"), holdFile_(hold ? folder + "/sink-release" : "") {
    std::filesystem::create_directories(outDir_);
    const std::string passwordFile = folder + "/sink-password";
    std::ofstream(passwordFile, std::ios::binary) << password;
    pid_ = ::fork();
    if (pid_ == 0) {
        std::freopen("/dev/null", "w", stderr);
        const char* python = "/usr/bin/python3";
        if (hold)
            ::execl(python, python, SYNCWARD_SMTP_SINK, outDir_.c_str(), user.c_str(), passwordFile.c_str(),
                    holdFile_.c_str(), static_cast<char*>(nullptr));
        else
            ::execl(python, python, SYNCWARD_SMTP_SINK, outDir_.c_str(), user.c_str(), passwordFile.c_str(),
                    static_cast<char*>(nullptr));
        ::_exit(127);
    }
    for (int i = 0; i < 300 && port_ == 0; ++i) {
        const std::string text = readWholeFile(file("port"));
        if (!text.empty()) port_ = std::stoi(text);
        else std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

SmtpSink::~SmtpSink() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

void SmtpSink::release() const {
    if (!holdFile_.empty()) std::ofstream(holdFile_) << "go";
}

void SmtpSink::hold() const {
    if (!holdFile_.empty()) std::filesystem::remove(holdFile_);
}

}  // namespace syncward::testing
