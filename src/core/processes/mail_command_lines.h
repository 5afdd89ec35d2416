#pragma once

#include <string>

namespace syncward {

class PlatformProfile;

// What the two mailer command lines are made of: the e-mail settings as
// they stand, the TLS choice as text ("no", "yes", "auto"), and the two
// files of the home folder: the mailer's log and the end report.
struct MailFields {
    std::string mailerFolder;
    std::string from;
    std::string to;
    std::string cc;
    std::string bcc;
    std::string server;  // host:port, one value
    std::string user;
    std::string password;
    std::string tls;
    std::string logFile;
    std::string reportFile;
};

// Whether the mailer would not take the value as the value of its option:
// it reads every argument that starts with "-" as an option of its own
// ("-v" in Cc turns its debug log on, and with it the password in base64),
// and an argument "0" as no value at all, which leaves "0" to be read as an
// unknown option. Such values are refused, never sent.
bool mailerWouldMisread(const std::string& value);

// "SYNCWARD - " + coin + " - STARTED" and " - COMPLETED - LOG REPORT".
std::string startMailSubject(const std::string& cryptoName);
std::string endMailSubject(const std::string& cryptoName);

// The end mail's body part (the report file as the message) and its
// attachment part (the report file attached); the start mail has neither.
std::string reportMessageOption(const PlatformProfile& profile, const std::string& reportFile);
std::string reportAttachmentOption(const PlatformProfile& profile, const std::string& reportFile);

// Under the Windows profile every field goes in unchanged between double
// quotes (an empty Cc still gives -cc ""), the password twice, and the line
// ends in "-q -v " and the attachment part. Under POSIX every value is
// quoted for /bin/sh, and the password never appears in the mailer's
// arguments, where every local user could read it from the process list:
// the shell's built-in printf hands it to the mailer's standard input,
// which the mailer reads when it is given a user without a password. The
// verbose switch is left out there, because it logs the SMTP dialogue and
// with it the password in base64.
std::string startMailCommand(const PlatformProfile& profile, const MailFields& fields, const std::string& subject);
std::string endMailCommand(const PlatformProfile& profile, const MailFields& fields, const std::string& subject,
                           const std::string& messageOption, const std::string& attachmentOption);

// The line as the windows show it: the password, where the line holds one,
// replaced by passwordMask; every other character as it is. The command
// files keep the line itself.
inline constexpr const char* passwordMask = "********";
std::string maskedMailCommand(const PlatformProfile& profile, const std::string& line);

}  // namespace syncward
