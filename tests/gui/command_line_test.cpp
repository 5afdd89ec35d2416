#include <gtest/gtest.h>

#include "app/command_line.h"

namespace syncward::testing {
namespace {

using Action = CommandLine::Action;

const DisplayEnvironment noDisplay{};
const DisplayEnvironment x11{":0", "", ""};

CommandLine read(QStringList arguments, const DisplayEnvironment& environment = x11) {
    return readCommandLine(arguments, environment, "1.2.3", HelpSystem::Linux);
}

TEST(CommandLine, WithoutAnyDisplayRunsOffscreenAndSaysSoNamingTheCopy) {
    const CommandLine line = read({"/home/ann/.local/bin/LTC1"}, noDisplay);
    EXPECT_EQ(line.action, Action::Run);
    EXPECT_TRUE(line.offscreen);
    EXPECT_TRUE(line.offscreenWithoutDisplay);
    EXPECT_TRUE(line.text.startsWith("LTC1: no display")) << line.text.toStdString();
    EXPECT_TRUE(line.text.endsWith('\n'));

    // Variables that are set but empty name no display either.
    EXPECT_TRUE(read({"LTC1"}, {"", "", ""}).offscreenWithoutDisplay);
}

TEST(CommandLine, AnyDisplayOrChosenPlatformKeepsTheWindow) {
    const struct {
        const char* why;
        QStringList arguments;
        DisplayEnvironment environment;
    } cases[] = {
        {"X11", {"syncward"}, {":0", "", ""}},
        {"Wayland", {"syncward"}, {"", "wayland-0", ""}},
        {"platform from the environment", {"syncward"}, {"", "", "vnc"}},
        {"-platform on the command line", {"syncward", "-platform", "vnc"}, noDisplay},
        {"--platform=", {"syncward", "--platform=vnc"}, noDisplay},
        {"-display on the command line", {"syncward", "-display", ":3"}, noDisplay},
    };
    for (const auto& c : cases) {
        const CommandLine line = read(c.arguments, c.environment);
        EXPECT_EQ(line.action, Action::Run) << c.why;
        EXPECT_FALSE(line.offscreen) << c.why;
        EXPECT_TRUE(line.text.isEmpty()) << c.why;
    }
}

// The display from the environment is asked before it is used, and Qt is
// given offscreen after its own platforms, so a display that fails after all
// (an X server resetting, a Wayland socket without Qt's plugin) runs the
// program offscreen instead of ending it. A display or platform the user
// names is theirs: neither asked nor given a fallback.
TEST(CommandLine, ADisplayFromTheEnvironmentIsAskedAndFallsBackOffscreen) {
    DisplayEnvironment both{":0", "wayland-0", ""};
    both.platforms = "wayland;xcb";
    CommandLine line = read({"LTC1"}, both);
    EXPECT_TRUE(line.asksDisplay);
    EXPECT_EQ(line.platform, "wayland;xcb;offscreen");
    EXPECT_EQ(line.fallbackText, "LTC1: the display (:0) cannot be opened; running offscreen, without a window\n");

    both.opens = false;
    line = read({"LTC1"}, both);
    EXPECT_TRUE(line.offscreen);
    EXPECT_FALSE(line.asksDisplay);
    EXPECT_EQ(line.platform, "offscreen");
    EXPECT_EQ(line.text, "LTC1: the display (:0) cannot be opened; running offscreen, without a window\n");

    DisplayEnvironment chosen{":0", "", "xcb"};
    chosen.platforms = "xcb";
    for (const auto& [arguments, environment] :
         {std::pair{QStringList{"LTC1", "-display", ":3"}, both}, std::pair{QStringList{"LTC1"}, chosen},
          std::pair{QStringList{"LTC1", "-platform", "xcb"}, both}}) {
        line = read(arguments, environment);
        EXPECT_FALSE(line.asksDisplay) << arguments.join(' ').toStdString();
        EXPECT_TRUE(line.platform.isEmpty()) << arguments.join(' ').toStdString();
    }
    // --help and --version never ask.
    EXPECT_FALSE(read({"LTC1", "--version"}, both).asksDisplay);
}

TEST(CommandLine, OffscreenWhenAskedForWithoutTheNoDisplayNotice) {
    for (const QString spelling : {"--offscreen", "-offscreen"}) {
        const CommandLine line = read({"BTC1", spelling}, x11);
        EXPECT_EQ(line.action, Action::Run);
        EXPECT_TRUE(line.offscreen);
        EXPECT_FALSE(line.offscreenWithoutDisplay);
        EXPECT_TRUE(line.text.isEmpty());
    }
    // Asked for, it also wins over a platform chosen in the environment.
    EXPECT_TRUE(read({"BTC1", "--offscreen"}, {"", "", "xcb"}).offscreen);
}

TEST(CommandLine, HelpNamesThisCopyAndItsOptionsButNotTheToolkitPassThroughs) {
    for (const QString spelling : {"--help", "-h", "-?"}) {
        const CommandLine line = read({"/usr/local/bin/DOGE2", spelling});
        ASSERT_EQ(line.action, Action::ShowHelp) << spelling.toStdString();
        EXPECT_TRUE(line.text.startsWith("Usage: DOGE2 [--offscreen]\n")) << line.text.toStdString();
        EXPECT_TRUE(line.text.contains("group [DOGE2]"));
        EXPECT_TRUE(line.text.contains("--offscreen"));
        EXPECT_TRUE(line.text.contains("--version"));
        EXPECT_FALSE(line.text.contains("platform <")) << "Qt's own options stay out of the help";
        EXPECT_FALSE(line.text.contains("<executable_name>"));
    }
    // Help and version win over running, whatever else is given.
    EXPECT_EQ(read({"DOGE2", "--offscreen", "--help"}, noDisplay).action, Action::ShowHelp);
    EXPECT_EQ(read({"DOGE2", "--version", "--offscreen"}, noDisplay).action, Action::ShowVersion);
}

TEST(CommandLine, TheWindowsHelpNamesTheRegistryKeyAndTheWindowsCloseNotTheLinuxOnes) {
    const CommandLine line =
        readCommandLine({"C:\\Program Files\\SYNCWARD\\LTC1.EXE", "--help"}, x11, "1.2.3", HelpSystem::Windows);
    ASSERT_EQ(line.action, Action::ShowHelp);
    EXPECT_TRUE(line.text.startsWith("Usage: LTC1 [--offscreen]\n")) << line.text.toStdString();
    EXPECT_TRUE(line.text.contains("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\QV_SYNCWARD\\LTC1 "));
    EXPECT_TRUE(line.text.contains("\"taskkill /im LTC1.exe\" without /f"));
    for (const char* linuxOnly : {"XDG", ".ini", "SIG", "DISPLAY", "link"})
        EXPECT_FALSE(line.text.contains(linuxOnly)) << linuxOnly;

    const CommandLine refused = readCommandLine({"C:/SYNCWARD/doge.exe", "--bogus"}, x11, "1.2.3", HelpSystem::Windows);
    EXPECT_TRUE(refused.text.startsWith("doge: ")) << refused.text.toStdString();
}

TEST(CommandLine, VersionIsTheOneGivenWhateverTheCopyIsCalled) {
    for (const QString spelling : {"--version", "-v"}) {
        const CommandLine line = read({"/opt/LTC9", spelling});
        EXPECT_EQ(line.action, Action::ShowVersion);
        EXPECT_EQ(line.text, "syncward 1.2.3\n");
    }
}

TEST(CommandLine, RefusesWhatItDoesNotKnowWithAHintNamingTheCopy) {
    const struct {
        QStringList arguments;
        const char* mentions;
    } cases[] = {
        {{"/usr/bin/BTC1", "--fast"}, "fast"},
        {{"/usr/bin/BTC1", "LTC1"}, "LTC1"},
        {{"/usr/bin/BTC1", "--offscreen=yes"}, "offscreen"},
        {{"/usr/bin/BTC1", "-platform"}, "platform"},
    };
    for (const auto& c : cases) {
        const CommandLine line = read(c.arguments);
        EXPECT_EQ(line.action, Action::Refuse) << c.mentions;
        EXPECT_FALSE(line.offscreen);
        EXPECT_TRUE(line.text.startsWith("BTC1: ")) << line.text.toStdString();
        EXPECT_TRUE(line.text.contains(c.mentions)) << line.text.toStdString();
        EXPECT_TRUE(line.text.endsWith("Try 'BTC1 --help'.\n")) << line.text.toStdString();
    }
}

TEST(CommandLine, AnEmptyArgumentListStillHasAName) {
    const CommandLine line = read({}, noDisplay);
    EXPECT_EQ(line.action, Action::Run);
    EXPECT_TRUE(line.text.startsWith("syncward: no display"));
}

}  // namespace
}  // namespace syncward::testing
