#include "core/scheduler/autostart_entry.h"

#include <cstdio>

namespace syncward::autostart_entry {

namespace {

bool hasControlCharacter(const std::string& value) {
    for (const char c : value)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return true;
    return false;
}

// A string value: a backslash is written as two.
std::string escapedValue(const std::string& value) {
    std::string out;
    for (const char c : value) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return out;
}

// One argument of Exec: in double quotes, with the four characters that
// are special inside them escaped; "%" doubled, as field codes start with
// it. The string escape of the backslash comes on top of that.
std::string execArgument(const std::string& argument) {
    std::string quoted = "\"";
    for (const char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
        if (c == '%') quoted += '%';
    }
    return escapedValue(quoted + "\"");
}

// The program with --catch-up. Desktops built on GLib look for Exec's
// program before they expand "%%" to "%", so a program whose path holds a
// "%" would never be found and the entry would never start. Such a path
// goes to /bin/sh as an argument instead, which runs it under the path as
// written ("$0"), so the copy keeps its name.
std::string execLine(const std::string& programPath) {
    if (programPath.find('%') == std::string::npos) return execArgument(programPath) + " --catch-up";
    return "/bin/sh -c " + execArgument("exec \"$0\" --catch-up") + " " + execArgument(programPath);
}

}  // namespace

std::string fileName(const std::string& executableName) {
    std::string safe;
    for (const char c : executableName) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || c == '-') {
            safe += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "_%02X", u);
            safe += hex;
        }
    }
    return "syncward-" + safe + "-catch-up.desktop";
}

std::optional<std::string> text(const std::string& programPath, const std::string& taskName) {
    if (hasControlCharacter(programPath) || hasControlCharacter(taskName)) return std::nullopt;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" + escapedValue(taskName) + " - Catch Up Missed Runs\n"
           "Comment=Starts the weekly run at login when its scheduled time passed while the computer was off\n"
           "Exec=" + execLine(programPath) + "\n"
           "Icon=io.github.syncward.Syncward\n"
           "Terminal=false\n"
           "NoDisplay=true\n"
           "X-GNOME-Autostart-enabled=true\n";
}

}  // namespace syncward::autostart_entry
