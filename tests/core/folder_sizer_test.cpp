#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "core/foldersize/number_pattern.h"
#include "core/foldersize/size_ladder.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

using Ladder = std::array<std::string, sizeLadderSteps>;

const NumberSeparators english;  // "," groups, "." is the point

std::optional<std::uint64_t> bytes(std::uint64_t n) { return n; }

TEST(SizeLadder, EachUnitIsTheLastDividedByAThousandWithItsOwnPattern) {
    EXPECT_EQ(sizeLadder(123456789, english),
              (Ladder{"123,456,789 B  ", "123,456.789 KB", "123.457 MB", "0.123 GB", "0.000123 TB", "0.000000123 PB"}));
    // A kibibyte is not a kilobyte here.
    EXPECT_EQ(sizeLadder(1024, english), (Ladder{"1,024 B  ", "1.024 KB", "0.001 MB", "0 GB", "0 TB", "0 PB"}));
    EXPECT_EQ(sizeLadder(0, english), (Ladder{"0 B  ", "0 KB", "0 MB", "0 GB", "0 TB", "0 PB"}));
    // Whole values carry no point; optional zeros after the point are dropped.
    EXPECT_EQ(sizeLadder(1000, english)[1], "1 KB");
    EXPECT_EQ(sizeLadder(1500000, english)[2], "1.5 MB");
}

TEST(SizeLadder, RoundsHalfUpAndCarriesIntoTheWholePart) {
    const Ladder carried = sizeLadder(999999999500, english);
    EXPECT_EQ(carried[2], "1,000,000 MB");
    EXPECT_EQ(carried[3], "1,000 GB");
    EXPECT_EQ(sizeLadder(1499, english)[2], "0.001 MB");
    EXPECT_EQ(sizeLadder(1500, english)[2], "0.002 MB");
    // The largest size there is stays exact: no floating point in between.
    const Ladder largest = sizeLadder(std::numeric_limits<std::uint64_t>::max(), english);
    EXPECT_EQ(largest[0], "18,446,744,073,709,551,615 B  ");
    EXPECT_EQ(largest[5], "18,446.74407371 PB");
}

TEST(SizeLadder, SeparatorsComeFromTheLocale) {
    const NumberSeparators german{".", ","};
    EXPECT_EQ(sizeLadder(1234567, german)[0], "1.234.567 B  ");
    EXPECT_EQ(sizeLadder(1234567, german)[1], "1.234,567 KB");
    const NumberSeparators french{"\u202f", ","};  // narrow no-break space
    EXPECT_EQ(sizeLadder(1234567, french)[0], "1\u202f234\u202f567 B  ");
}

TEST(NumberPattern, RequiredZerosAreKeptAndFractionGroupingIsIgnored) {
    EXPECT_EQ(formatDecimal(5, 0, NumberPattern::parse("0.00"), english), "5.00");
    EXPECT_EQ(formatDecimal(12345, 0, NumberPattern::parse("000000"), english), "012345");
    EXPECT_EQ(formatDecimal(1234567, 6, NumberPattern::parse("###,##0.###,###"), english), "1.234567");
}

class FolderSizer : public ::testing::Test {
protected:
    MainWindow& start(PlatformProfile profile = PlatformProfile::windows()) {
        h = std::make_unique<AppHarness>(std::move(profile));
        h->store("BLOCKCHAIN_HOME_TEXTBOX", folder);
        h->fake.files.folders.insert(folder);
        h->fake.files.folderSizes[folder] = 1024;
        h->start();
        return h->main();
    }

    std::string folder = "D:\\Chains\\Bitcoin";
    std::unique_ptr<AppHarness> h;
};

TEST_F(FolderSizer, RunMeasuresOneSecondLaterOnceAndJoinsTheLinesWithCrLf) {
    MainWindow& w = start();
    w.FFS_RUN_1_BUTTON.click();
    EXPECT_TRUE(w.FOLDER_SIZER_BEFORE_TIMER.enabled());
    h->fake.loop.advance(999);
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(), "!!! STILL TO RUN !!!");

    h->fake.loop.advance(1);
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(), "1,024 B  \r\n1.024 KB\r\n0.001 MB\r\n0 GB\r\n0 TB\r\n0 PB");
    EXPECT_EQ(w.facts.folderBefore.bytes, bytes(1024));
    EXPECT_FALSE(w.FOLDER_SIZER_BEFORE_TIMER.enabled());
    EXPECT_TRUE(w.FFS_RUN_1_BUTTON.enabled());
    EXPECT_EQ(w.BC_FOLDER_SIZE_AFTER.text(), "!!! STILL TO RUN !!!");

    // One-shot: the folder grows, but nothing measures it again by itself.
    h->fake.files.folderSizes[folder] = 2048;
    h->fake.loop.advance(10000);
    EXPECT_EQ(w.facts.folderBefore.bytes, bytes(1024));
}

// A part of the folder that could not be read is named under the figure,
// and so in the end report, which prints the box as it stands.
TEST_F(FolderSizer, WhatCouldNotBeReadIsNamedUnderTheFigure) {
    folder = "/srv/chain";
    MainWindow& w = start(PlatformProfile::posix("/home/satoshi"));
    h->fake.files.unreadSubfolders[folder] = {"/srv/chain/lost+found", "/srv/chain/x"};
    w.FFS_RUN_1_BUTTON.click();
    h->fake.loop.advance(1000);
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(),
              "1,024 B  \n1.024 KB\n0.001 MB\n0 GB\n0 TB\n0 PB\n"
              "!!! NOT COUNTED, COULD NOT BE READ: /srv/chain/lost+found, /srv/chain/x !!!");
    EXPECT_EQ(w.facts.folderBefore.bytes, bytes(1024));
}

TEST_F(FolderSizer, TheAfterMeasurementFillsItsOwnBox) {
    MainWindow& w = start(PlatformProfile::posix("/home/satoshi"));
    w.FFS_RUN_1_BUTTON.click();
    h->fake.loop.advance(1000);
    h->fake.files.folderSizes[folder] = 0;
    w.FOLDER_SIZER_AFTER_TIMER.start();  // as the run sequence does
    h->fake.loop.advance(1000);
    // POSIX line ends; never a line break after the last line.
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(), "1,024 B  \n1.024 KB\n0.001 MB\n0 GB\n0 TB\n0 PB");
    EXPECT_EQ(w.BC_FOLDER_SIZE_AFTER.text(), "0 B  \n0 KB\n0 MB\n0 GB\n0 TB\n0 PB");
    EXPECT_EQ(w.facts.folderBefore.bytes, bytes(1024));
    EXPECT_EQ(w.facts.folderAfter.bytes, bytes(0));
    EXPECT_FALSE(w.FOLDER_SIZER_AFTER_TIMER.enabled());
    EXPECT_TRUE(w.FFS_RUN_2_BUTTON.enabled());
}

TEST_F(FolderSizer, AFolderWithoutASizeSaysWhyInTheResultBoxAndLeavesNoStaleFigures) {
    MainWindow& w = start();
    w.FFS_RUN_2_BUTTON.click();
    h->fake.loop.advance(1000);
    ASSERT_EQ(w.facts.folderAfter.bytes, bytes(1024));

    h->fake.files.folderSizes.erase(folder);  // there, but cannot be read in full
    w.FFS_RUN_2_BUTTON.click();
    h->fake.loop.advance(1000);
    EXPECT_EQ(w.BC_FOLDER_SIZE_AFTER.text(), "!!! BLOCKCHAIN FOLDER NOT READABLE !!!\r\nD:\\Chains\\Bitcoin");
    EXPECT_EQ(w.facts.folderAfter.bytes, std::nullopt);

    h->fake.files.folders.clear();
    w.FFS_RUN_1_BUTTON.click();
    h->fake.loop.advance(1000);
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(), "!!! BLOCKCHAIN FOLDER NOT FOUND !!!\r\nD:\\Chains\\Bitcoin");

    w.BLOCKCHAIN_HOME_TEXTBOX.setText("");
    w.FFS_RUN_1_BUTTON.click();
    h->fake.loop.advance(1000);
    EXPECT_EQ(w.BC_FOLDER_SIZE_BEFORE.text(), "!!! NO BLOCKCHAIN FOLDER SET !!!");
    EXPECT_TRUE(w.FFS_RUN_1_BUTTON.enabled());
    EXPECT_FALSE(w.FOLDER_SIZER_BEFORE_TIMER.enabled());
}

}  // namespace
}  // namespace syncward::testing
