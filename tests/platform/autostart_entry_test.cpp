// The catch-up autostart entry as desktops read it: valid, and its Exec
// line starting the copy under its own path with --catch-up, whatever
// characters that path holds.
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/scheduler/autostart_entry.h"
#include "launch_support.h"
#include "platform/posix/xdg_autostart.h"
#include "support/temp_dir.h"

extern char** environ;

namespace syncward::testing {
namespace {

using Argv = std::vector<std::string>;

// The Exec value's words as a launcher following the desktop entry rules
// makes them: the string escapes undone first, then the quoting, then
// "%%" as "%". nullopt for a line a launcher must refuse (an open quote, a
// field code, a reserved character outside quotes).
std::optional<Argv> execArgv(const std::string& entry) {
    const auto at = entry.find("\nExec=");
    if (at == std::string::npos) return std::nullopt;
    const std::string raw = entry.substr(at + 6, entry.find('\n', at + 6) - at - 6);
    std::string value;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
            value += raw[i];
            continue;
        }
        const char next = raw[++i];
        value += next == 's' ? ' ' : next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
    }
    Argv argv;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == ' ') {
            if (inWord) argv.push_back(word);
            word.clear();
            inWord = false;
        } else if (c == '"') {
            inWord = true;
            for (++i; i < value.size() && value[i] != '"'; ++i) {
                const bool escape = value[i] == '\\' && i + 1 < value.size();
                if (escape && std::string("\"`$\\").find(value[i + 1]) != std::string::npos) ++i;
                word += value[i];
            }
            if (i == value.size()) return std::nullopt;
        } else if (std::string("\t\n'\\><~|&;$*?#()`").find(c) != std::string::npos) {
            return std::nullopt;
        } else {
            inWord = true;
            word += c;
        }
    }
    if (inWord) argv.push_back(word);
    for (std::string& arg : argv) {
        std::string expanded;
        for (std::size_t i = 0; i < arg.size(); ++i) {
            if (arg[i] == '%' && (i + 1 == arg.size() || arg[++i] != '%')) return std::nullopt;
            expanded += arg[i];
        }
        arg = expanded;
    }
    return argv;
}

// Runs argv and waits; true when it ended with status 0.
bool runs(const Argv& argv) {
    std::vector<char*> args;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return false;
    int status = 0;
    return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A stand-in copy at path that writes what it was started as: its $0 and
// its arguments, a line each.
void writeStandIn(const std::string& path, const std::string& output) {
    writeFile(path, "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > " + shellQuoted(output + ".tmp") + "\nmv " +
                        shellQuoted(output + ".tmp") + " " + shellQuoted(output) + "\n",
              0755);
}

TEST(AutostartEntry, StartsTheCopyUnderItsOwnPathWhateverThatPathHolds) {
    const bool validator = ::access("/usr/bin/desktop-file-validate", X_OK) == 0;
    const bool gio = ::access("/usr/bin/gio", X_OK) == 0;
    TempDir dir;
    XdgAutostart autostart(dir / "autostart");
    const std::string output = dir / "started";
    for (const std::string& folder : {std::string("plain"), std::string("100% sure"), std::string("a%%b %s %U"),
                                      std::string("$HOME \"q\" `x` it's #1; ~&|<>*?()=\\")}) {
        for (const std::string& name : {std::string("LTC1"), std::string("LTC 9%x")}) {
            SCOPED_TRACE(folder + "/" + name);
            std::filesystem::create_directories(dir / folder);
            const std::string program = dir / folder + "/" + name;
            writeStandIn(program, output);
            const auto entry = autostart_entry::text(program, "SYNCWARD - " + name);
            ASSERT_TRUE(entry);
            const std::string file = autostart_entry::fileName(name);
            ASSERT_TRUE(autostart.write(file, *entry).ok);
            const std::string path = autostart.folder() + "/" + file;
            if (validator) {
                EXPECT_EQ(std::system(("desktop-file-validate " + shellQuoted(path)).c_str()), 0) << *entry;
            }

            const auto argv = execArgv(*entry);
            ASSERT_TRUE(argv) << *entry;
            const std::string expected = program + "\n--catch-up\n";
            std::filesystem::remove(output);
            EXPECT_TRUE(runs(*argv)) << *entry;
            EXPECT_EQ(slurp(output), expected) << *entry;
            // A desktop built on GLib: it looks for the program before it
            // expands the line, and refuses an entry whose program it cannot find.
            if (gio) {
                std::filesystem::remove(output);
                EXPECT_EQ(std::system(("gio launch " + shellQuoted(path) + " 2>&1").c_str()), 0) << *entry;
                EXPECT_TRUE(eventually([&] { return slurp(output).has_value(); })) << *entry;
                EXPECT_EQ(slurp(output), expected) << *entry;
            }
        }
    }
}

}  // namespace
}  // namespace syncward::testing
