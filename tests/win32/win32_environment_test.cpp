#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <utility>

#include "platform/win32/win32_environment.h"
#include "platform/win32/win32_launcher.h"
#include "support/temp_dir.h"
#include "win32/win32_test_support.h"

namespace syncward::testing {
namespace {

TEST(Win32Environment, ARenamedCopyIsNamedAfterItsFileWithoutTheExtension) {
    TempDir dir;
    Win32Launcher launcher;
    for (const auto& [file, name] : {std::pair{"LTC1.exe", "LTC1"}, std::pair{"BTC1.v2.EXE", "BTC1.v2"}}) {
        const std::string output = dir / (std::string(name) + ".txt");
        ASSERT_TRUE(launcher.runProgram({copyOfThisProgram(dir.path(), file), "--record-executable-name", output}));
        EXPECT_TRUE(eventually([&] { return slurp(output).has_value(); }));
        EXPECT_EQ(slurp(output), name) << file;
    }
}

TEST(Win32Environment, ComputerAndUserComeFromTheirVariablesOrElseFromTheSystem) {
    Win32Environment environment;
    {
        const Variable computer(L"COMPUTERNAME", L"NODEBOX");
        const Variable user(L"USERNAME", L"Zoë");
        EXPECT_EQ(environment.computerName(), "NODEBOX");
        EXPECT_EQ(environment.userName(), "Zoë");
    }
    const Variable computer(L"COMPUTERNAME", nullptr);
    const Variable user(L"USERNAME", nullptr);
    EXPECT_FALSE(environment.computerName().empty());
    EXPECT_FALSE(environment.userName().empty());
}

TEST(Win32Environment, TheTimeOfDayIsHoursMinutesSecondsAndTheLocaleGivesSeparators) {
    Win32Environment environment;
    EXPECT_TRUE(std::regex_match(environment.timeText(), std::regex("([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]")))
        << environment.timeText();
    EXPECT_FALSE(environment.dateText().empty());
    const NumberSeparators separators = environment.numberSeparators();
    EXPECT_FALSE(separators.decimal.empty());
    EXPECT_NE(separators.group, separators.decimal);
}

TEST(Win32Environment, TheExecutableNameDropsOnlyTheLastExtension) {
    EXPECT_EQ(Win32Environment::nameWithoutExtension("C:\\Coins\\LTC1.exe"), "LTC1");
    EXPECT_EQ(Win32Environment::nameWithoutExtension("C:\\Coin.Tools\\SYNCWARD"), "SYNCWARD");
    EXPECT_EQ(Win32Environment::nameWithoutExtension("D:/x/btc.node.exe"), "btc.node");
    EXPECT_EQ(Win32Environment::nameWithoutExtension(".exe"), ".exe");
}

}  // namespace
}  // namespace syncward::testing
