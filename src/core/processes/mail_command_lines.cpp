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
    // The report and its names are UTF-8 (a home folder or copy named with
    // accents); the mailer would otherwise declare ISO-8859-1.
    line += " -o message-charset=UTF-8";
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

// Replaces text[from, to) by the mask; to == npos leaves the text as it is.
std::string maskedBetween(const std::string& text, std::size_t from, std::size_t to) {
    if (to == std::string::npos || to <= from) return text;
    return text.substr(0, from) + passwordMask + text.substr(to);
}

// POSIX: "printf '%s\n' <one word quoted for the shell> | ...", the word
// as quoteValue writes it: runs of '...' joined by \' for each quote.
std::string maskedPosix(const std::string& line) {
    const std::string prefix = "printf '%s\\n' ";
    if (!line.starts_with(prefix)) return line;
    std::size_t at = prefix.size();
    if (at >= line.size() || line[at] != '\'') return line;
    const std::size_t wordStart = at;
    for (;;) {
        const std::size_t close = line.find('\'', at + 1);
        if (close == std::string::npos) return line;
        at = close + 1;
        if (line.compare(at, 3, "\\''") != 0) break;  // a quote inside: '\'' then the next run
        at += 2;
    }
    if (line.compare(at, 3, " | ") != 0) return line;
    if (at - wordStart == 2) return line;  // '': no password
    return line.substr(0, wordStart) + "'" + passwordMask + "'" + line.substr(at);
}

// Windows: -xp "<password>" before -o reply-to=, and -o password=<password>
// before the closing -q -v.
std::string maskedWindows(std::string line) {
    const std::string xp = " -xp \"";
    if (const std::size_t from = line.find(xp); from != std::string::npos) {
        const std::size_t start = from + xp.size();
        line = maskedBetween(line, start, line.find("\" -o reply-to=", start));
    }
    const std::string option = " -o password=";
    if (const std::size_t from = line.find(option); from != std::string::npos) {
        const std::size_t start = from + option.size();
        line = maskedBetween(line, start, line.rfind(" -q -v "));
    }
    return line;
}

}  // namespace

std::string maskedMailCommand(const PlatformProfile& profile, const std::string& line) {
    return isPosix(profile) ? maskedPosix(line) : maskedWindows(line);
}

bool mailerWouldMisread(const std::string& value) { return value.starts_with('-') || value == "0"; }

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
