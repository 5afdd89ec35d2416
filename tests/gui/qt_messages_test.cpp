#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QtGlobal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "gui/shell/qt_messages.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

// What the toolkit prints while this runs, from standard error.
template <typename Work>
std::string standardErrorOf(const TempDir& dir, Work work) {
    const std::string path = dir / "stderr";
    std::fflush(stderr);
    const int saved = ::dup(2);
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(file, 2);
    ::close(file);
    work();
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A headless run printed the offscreen platform's notices for every window.
TEST(QtMessages, TheOffscreenPlatformsNoticesAreDroppedAndEverythingElseIsPrinted) {
    TempDir dir;
    keepStandardErrorForTheUser();
    keepStandardErrorForTheUser();  // twice changes nothing
    const std::string printed = standardErrorOf(dir, [] {
        qWarning("This plugin does not support raise()");
        qWarning("This plugin does not support propagateSizeHints()");
        qWarning("a warning the user should read");
    });
    EXPECT_EQ(printed.find("does not support"), std::string::npos) << printed;
    EXPECT_NE(printed.find("a warning the user should read"), std::string::npos) << printed;
}

}  // namespace
}  // namespace syncward::testing
