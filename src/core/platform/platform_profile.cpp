#include "core/platform/platform_profile.h"

#include <cctype>

namespace syncward {

PlatformProfile PlatformProfile::windows() {
    PlatformProfile p;
    p.flavour_ = Flavour::Windows;
    p.separator_ = '\\';
    p.lineEnd_ = "\r\n";
    p.commandFileExtension_ = ".bat";
    p.callPrefix_ = "call ";
    p.defaultHomeFolder_ = "C:\\QUORVEL-ROOT\\SYNCWARD";
    p.executableSuffix_ = ".exe";
    p.useQtFolder_ = "C:\\Program Files\\Bitcoin";
    p.useQtName_ = "bitcoin-qt.exe";
    p.useDaemonFolder_ = "C:\\Program Files\\Bitcoin\\Daemon";
    p.useDaemonName_ = "bitcoind.exe";
    p.useCliName_ = "bitcoin-cli.exe";
    p.programFileFilter_ = "Applications (*.exe)|*.exe|All files (*.*)|*.*";
    p.mailerName_ = "SendEmail.exe";
    p.mailerFolder_ = "C:\\QUORVEL-ROOT\\SendEmail";
    p.viewerProgram_ = "notepad.exe";
    p.viewerName_ = "NOTEPAD";
    return p;
}

PlatformProfile PlatformProfile::posix(const std::string& homeDirectory) {
    PlatformProfile p;
    p.flavour_ = Flavour::Posix;
    p.separator_ = '/';
    p.lineEnd_ = "\n";
    p.commandFileExtension_ = ".sh";
    p.callPrefix_ = "exec ";
    p.defaultHomeFolder_ = homeDirectory + "/QUORVEL-ROOT/SYNCWARD";
    p.executableSuffix_ = "";
    p.useQtFolder_ = "/usr/bin";
    p.useQtName_ = "bitcoin-qt";
    p.useDaemonFolder_ = "/usr/bin";
    p.useDaemonName_ = "bitcoind";
    p.useCliName_ = "bitcoin-cli";
    p.programFileFilter_ = "All files (*)";
    p.mailerName_ = "sendemail";
    p.mailerFolder_ = "/usr/bin";
    p.viewerProgram_ = "xdg-open";
    p.viewerName_ = "THE DEFAULT VIEWER";
    return p;
}

std::vector<std::string> PlatformProfile::powerCommand(PowerAction action, const std::string& userName) const {
    if (flavour_ == Flavour::Windows) {
        switch (action) {
            case PowerAction::Shutdown: return {"shutdown", "/s", "/t", "0"};
            case PowerAction::Restart: return {"shutdown", "/g", "/f", "/t", "0"};
            case PowerAction::Hibernate: return {"shutdown", "/h"};
            case PowerAction::Logoff: return {"shutdown", "/l"};
        }
    }
    switch (action) {
        case PowerAction::Shutdown: return {"systemctl", "poweroff"};
        case PowerAction::Restart: return {"systemctl", "reboot"};
        case PowerAction::Hibernate: return {"systemctl", "hibernate"};
        case PowerAction::Logoff: return {"loginctl", "terminate-user", userName};
    }
    return {};
}

std::vector<std::string> PlatformProfile::openFileCommand(const std::string& path) const {
    return {viewerProgram_, path};
}

bool PlatformProfile::isAbsoluteFolder(const std::string& path) const {
    if (flavour_ == Flavour::Posix) return !path.empty() && path.front() == '/';
    const bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       path[2] == '\\';
    return drive || path.starts_with("\\\\");
}

std::string PlatformProfile::join(const std::string& folder, const std::string& name) const {
    return folder + separator_ + name;
}

std::string PlatformProfile::commandFileLiteral(const std::string& value) const {
    if (flavour_ != Flavour::Windows) return value;
    std::string literal;
    for (char c : value) literal += c == '%' ? std::string("%%") : std::string(1, c);
    return literal;
}

std::string PlatformProfile::quoteProgram(const std::string& programPath) const {
    if (flavour_ == Flavour::Windows) return "\"" + commandFileLiteral(programPath) + "\"";
    return quoteValue(programPath);
}

std::string PlatformProfile::quoteValue(const std::string& value) const {
    if (flavour_ == Flavour::Windows) {
        std::string literal = commandFileLiteral(value);
        // A blank would split the value; & | < > ^ would end or redirect the line.
        if (value.find_first_of(" \t&|<>^") == std::string::npos) return literal;
        // Backslashes before the closing quote are doubled, or the program
        // would read the last one as escaping the quote ("C:\Users\A B\").
        const std::size_t trailing = literal.size() - (literal.find_last_not_of('\\') + 1);
        return "\"" + literal + std::string(trailing, '\\') + "\"";
    }
    // Inside single quotes /bin/sh takes every character literally; a single
    // quote itself is closed, escaped and reopened.
    std::string quoted = "'";
    for (char c : value) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

}  // namespace syncward
