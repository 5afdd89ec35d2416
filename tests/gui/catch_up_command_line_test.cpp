#include <gtest/gtest.h>

#include "app/command_line.h"

namespace syncward::testing {
namespace {

// The boot line has no display: --catch-up then runs offscreen as any
// start under cron does; the login entry keeps the window.
TEST(CommandLine, CatchUpIsReadWithOrWithoutADisplayAndListedInTheHelp) {
    const CommandLine boot = readCommandLine({"/home/ann/.local/bin/LTC1", "--catch-up"}, {}, "1.2.3");
    EXPECT_EQ(boot.action, CommandLine::Action::Run);
    EXPECT_TRUE(boot.catchUp);
    EXPECT_TRUE(boot.offscreenWithoutDisplay);
    const CommandLine login = readCommandLine({"LTC1", "--catch-up"}, {":0", "", ""}, "1.2.3");
    EXPECT_TRUE(login.catchUp);
    EXPECT_FALSE(login.offscreen);
    EXPECT_FALSE(readCommandLine({"LTC1"}, {":0", "", ""}, "1.2.3").catchUp);
    EXPECT_TRUE(readCommandLine({"LTC1", "--help"}, {}, "1.2.3").text.contains("--catch-up"));
}

}  // namespace
}  // namespace syncward::testing
