#pragma once

#include <string>
#include <vector>

namespace syncward {

// The four ways a run can end the session.
enum class PowerAction { Shutdown, Restart, Hibernate, Logoff };

// Every text that differs between the platforms the program runs on. The
// rules are written once; the profile supplies the separators, suffixes,
// program names and command words.
class PlatformProfile {
public:
    enum class Flavour { Windows, Posix };

    // The Windows texts, exactly as the program has always written them.
    static PlatformProfile windows();
    // Linux and other POSIX systems; homeDirectory is the user's $HOME.
    static PlatformProfile posix(const std::string& homeDirectory);

    Flavour flavour() const { return flavour_; }
    // The same message in this system's words: a Windows user has no X11
    // display, no package manager and no settings file.
    const char* inOwnWords(const char* posixText, const char* windowsText) const {
        return flavour_ == Flavour::Posix ? posixText : windowsText;
    }
    char separator() const { return separator_; }
    const std::string& lineEnd() const { return lineEnd_; }

    // A folder given from the root: "/..." under POSIX, "X:\..." or a "\\"
    // share under Windows. A relative folder, or one starting with "-",
    // would be read by the shell as relative to wherever it runs, or as an
    // option.
    bool isAbsoluteFolder(const std::string& path) const;

    // Joins a folder and a name with the separator, by plain concatenation.
    std::string join(const std::string& folder, const std::string& name) const;

    // Command files: "-RUN-QT" + extension, one line starting with the call
    // prefix. Under POSIX every inserted value is quoted for /bin/sh so that
    // blanks, quotes, "$", backticks and ";" reach the program literally.
    // Under Windows a value goes in as it stands unless it needs quotes (a
    // blank, or a character cmd.exe would act on), so the lines of a copy
    // without such values stay byte for byte what they always were; a "%",
    // which cmd.exe would expand in a command file, is doubled.
    const std::string& commandFileExtension() const { return commandFileExtension_; }
    const std::string& callPrefix() const { return callPrefix_; }
    std::string quoteProgram(const std::string& programPath) const;
    std::string quoteValue(const std::string& value) const;
    // A value as a Windows command file must hold it to pass it on as it is
    // (every "%" doubled); unchanged under POSIX.
    std::string commandFileLiteral(const std::string& value) const;

    const std::string& defaultHomeFolder() const { return defaultHomeFolder_; }
    const std::string& executableSuffix() const { return executableSuffix_; }

    // The "Use" buttons of the crypto settings.
    const std::string& useQtFolder() const { return useQtFolder_; }
    const std::string& useQtName() const { return useQtName_; }
    const std::string& useDaemonFolder() const { return useDaemonFolder_; }
    const std::string& useDaemonName() const { return useDaemonName_; }
    const std::string& useCliName() const { return useCliName_; }
    // File dialogs that pick a program.
    const std::string& programFileFilter() const { return programFileFilter_; }

    // The command-line mailer, watched in the fourth process box.
    const std::string& mailerName() const { return mailerName_; }
    const std::string& mailerFolder() const { return mailerFolder_; }

    // Opens a file to read in the system's viewer, as program and
    // arguments (no shell: the path is one argument), and what the windows
    // call that viewer.
    std::vector<std::string> openFileCommand(const std::string& path) const;
    const std::string& viewerName() const { return viewerName_; }

    // The system command of a power action, as program and arguments; the
    // user is the one to log off.
    std::vector<std::string> powerCommand(PowerAction action, const std::string& userName) const;

private:
    Flavour flavour_ = Flavour::Windows;
    char separator_ = '\\';
    std::string lineEnd_;
    std::string commandFileExtension_;
    std::string callPrefix_;
    std::string defaultHomeFolder_;
    std::string executableSuffix_;
    std::string useQtFolder_, useQtName_, useDaemonFolder_, useDaemonName_, useCliName_;
    std::string programFileFilter_;
    std::string mailerName_, mailerFolder_;
    std::string viewerProgram_, viewerName_;
};

}  // namespace syncward
