#include "core/processes/mail_command_lines.h"

#include "core/platform/platform_profile.h"

namespace syncward {

namespace {

bool isPosix(const PlatformProfile& profile) { return profile.flavour() == PlatformProfile::Flavour::Posix; }

// A value the Windows lines put between double quotes; POSIX quotes it for the shell.
std::string quoted(const PlatformProfile& profile, const std::string& value) {
    return isPosix(profile) ? profile.quoteValue(value) : "\"" + value + "\"";
}

// A value the Windows lines append as it stands ("-o tls=no").
std::string bare(const PlatformProfile& profile, const std::string& value) { return profile.quoteValue(value); }

std::string mailCommand(const PlatformProfile& profile, const MailFields& f, const std::string& subject,
                        const std::string& body, const std::string& attachment) {
    const bool posix = isPosix(profile);
    std::string line;
    if (posix) line = "printf '%s\\n' " + profile.quoteValue(f.password) + " | ";
    line += profile.callPrefix() + profile.quoteProgram(profile.join(f.mailerFolder, profile.mailerName()));
    line += " -f " + quoted(profile, f.from);
    line += " -t " + quoted(profile, f.to);
    line += " -cc " + quoted(profile, f.cc);
    line += " -bcc " + quoted(profile, f.bcc);
    line += " -u " + quoted(profile, subject);
    line += body;
    line += " -s " + quoted(profile, f.server);
    line += " -xu " + quoted(profile, f.user);
    if (!posix) line += " -xp " + quoted(profile, f.password);
    line += " -o reply-to=" + bare(profile, f.from);
    line += " -l " + quoted(profile, f.logFile);
    line += " -o tls=" + bare(profile, f.tls);
    line += " -o username=" + bare(profile, f.user);
    if (!posix) line += " -o password=" + f.password;
    line += " -q ";
    if (!posix) line += "-v ";
    return line + attachment;
}

}  // namespace

std::string startMailSubject(const std::string& cryptoName) { return "SYNCWARD - " + cryptoName + " - STARTED"; }

std::string endMailSubject(const std::string& cryptoName) {
    return "SYNCWARD - " + cryptoName + " - COMPLETED - LOG REPORT";
}

std::string reportMessageOption(const PlatformProfile& profile, const std::string& reportFile) {
    return " -o message-file=" + quoted(profile, reportFile);
}

std::string reportAttachmentOption(const PlatformProfile& profile, const std::string& reportFile) {
    return "-a " + quoted(profile, reportFile);
}

std::string startMailCommand(const PlatformProfile& profile, const MailFields& fields, const std::string& subject) {
    // The subject doubles as the message.
    return mailCommand(profile, fields, subject, " -m " + quoted(profile, subject), "");
}

std::string endMailCommand(const PlatformProfile& profile, const MailFields& fields, const std::string& subject,
                           const std::string& messageOption, const std::string& attachmentOption) {
    return mailCommand(profile, fields, subject, messageOption, attachmentOption);
}

}  // namespace syncward
