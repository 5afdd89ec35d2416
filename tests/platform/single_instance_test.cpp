#include <gtest/gtest.h>

#include <optional>

#include "platform/posix/single_instance.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

TEST(SingleInstance, OneRunningCopyPerNameWhileOtherNamesRunBeside) {
    TempDir dir;
    std::optional<SingleInstance> first(std::in_place, dir.path(), "LTC1");
    EXPECT_TRUE(first->first());
    EXPECT_FALSE(SingleInstance(dir.path(), "LTC1").first());
    EXPECT_TRUE(SingleInstance(dir.path(), "BTC1").first());
    first.reset();  // the copy ends: the next start runs
    EXPECT_TRUE(SingleInstance(dir.path(), "LTC1").first());
}

TEST(SingleInstance, ALockThatCannotBeMadeDoesNotStopTheProgram) {
    EXPECT_TRUE(SingleInstance("/nonexistent-folder", "LTC1").first());
}

}  // namespace
}  // namespace syncward::testing
