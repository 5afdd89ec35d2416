#pragma once

#include <sys/types.h>

#include <string>

namespace syncward::testing {

// The local SMTP sink (smtp_sink.py, run with the system's python3) on
// 127.0.0.1 and a free port, requiring this user and password. With a hold
// file, each mail's data waits for release(). Ended when destroyed.
class SmtpSink {
public:
    SmtpSink(const std::string& folder, const std::string& user, const std::string& password, bool hold);
    ~SmtpSink();
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    int port() const { return port_; }
    std::string file(const std::string& name) const { return outDir_ + "/" + name; }
    void release() const;
    // Holds the next mail's data again, until the next release().
    void hold() const;

private:
    std::string outDir_, holdFile_;
    pid_t pid_ = -1;
    int port_ = 0;
};

}  // namespace syncward::testing
