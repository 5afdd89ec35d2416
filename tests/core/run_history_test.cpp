// The history file: rows written and read back exactly, damaged and
// foreign files, the file a history goes on in, and the growth estimate.
#include <gtest/gtest.h>

#include <set>

#include <algorithm>

#include "core/reports/history_growth.h"
#include "core/reports/history_mail_table.h"
#include "core/reports/run_history.h"
#include "core/reports/run_history_columns.h"
#include "core/state/home_layout.h"
#include "core/time/iso_local.h"
#include "support/fake_platform.h"

namespace syncward::testing {
namespace {

constexpr long long week = 7 * 24 * 3600;
constexpr long long july12 = 1'783'823'400;  // 2026-07-12T02:30:00Z

RunRecord sampleRun() {
    RunRecord r;
    r.start = july12;
    r.startOffset = 7200;
    r.end = july12 + 754;
    r.endOffset = 7200;
    r.nodeProgram = "DAEMON - litecoind";
    r.blocksBefore = 2'700'000;
    r.blocksAfter = 2'704'032;
    r.blocksDownloaded = 4032;
    r.bytesBefore = 180'000'000'000u;
    r.bytesAfter = 180'500'000'000u;
    r.blockCounterOutcome = "!!! COMPLETED SUCCESSFULLY !!!";
    r.runOutcome = "!!! COMPLETED SUCCESSFULLY !!!";
    r.nodeCheck = "CONFIRMED";
    r.finalAction = "POWER AUTOTIMER - SHUTDOWN";
    r.nodeExitSeconds = 38;
    return r;
}

// A history as the first release wrote it, before the node's exit time was
// kept: its header, two rows and a line cut short by a crash.
const std::string firstFormatHeader =
    "start,end,run_seconds,node_program,blocks_before,blocks_after,blocks_downloaded,folder_bytes_before,"
    "folder_bytes_after,block_counter_outcome,run_outcome,node_check,final_action";
const std::string firstFormatRows =
    "2026-07-05T04:30:00+02:00,2026-07-05T04:40:00+02:00,600,DAEMON - litecoind,2695000,2697016,2016,"
    "179000000000,179500000000,!!! COMPLETED SUCCESSFULLY !!!,!!! COMPLETED SUCCESSFULLY !!!,CONFIRMED,AUTOCLOSE\n"
    "2026-07-06T04:30:00+02:00,2026\n"
    "2026-07-07T04:30:00+02:00,2026-07-07T04:31:00+02:00,60,,,,,,,,\"!!! RUN STOPPED BY THE USER !!!\",NOT ASKED,\n";

std::string fileOf(const std::vector<RunRecord>& rows, const std::string& nl = "\n") {
    std::string text = historyHeader() + nl;
    for (const RunRecord& r : rows) text += historyRow(r, nl);
    return text;
}

TEST(IsoLocal, KeepsTheWallClockAndTheZoneAndReadsBackTheSameMoment) {
    EXPECT_EQ(isoLocalText(july12, 7200), "2026-07-12T04:30:00+02:00");
    EXPECT_EQ(isoLocalText(july12, -5 * 3600 - 1800), "2026-07-11T21:00:00-05:30");
    for (const int offset : {0, 7200, -18000, 20700})
        EXPECT_EQ(parseIsoLocal(isoLocalText(july12, offset)), july12) << offset;
    EXPECT_EQ(parseIsoLocal("2026-07-12T02:30:00Z"), july12);
    for (const char* bad : {"", "2026-07-12T02:30:00", "2026-07-12T02:30:00+2:00", "2026-02-31T00:00:00Z",
                            "2026-07-12T02:30:00+24:00", "2026-07-12 02:30:00+02:00"})
        EXPECT_EQ(parseIsoLocal(bad), std::nullopt) << bad;
}

TEST(RunHistoryFile, RowsReadBackExactlyWhateverTheirTextsHold) {
    RunRecord odd = sampleRun();
    odd.runOutcome = "!!! FINISHED - CHAIN NOT CONFIRMED - \"HEADERS\", NOT REACHED !!!";
    odd.nodeCheck = "NOT CONFIRMED - line one\r\nline two";
    odd.blocksBefore.reset();
    odd.blocksDownloaded.reset();
    odd.bytesAfter.reset();
    odd.finalAction = "";
    for (const char* nl : {"\n", "\r\n"}) {
        const HistoryRead read = parseHistory(fileOf({sampleRun(), odd}, nl));
        ASSERT_TRUE(read.ours);
        EXPECT_EQ(read.damagedLines, 0);
        ASSERT_EQ(read.rows.size(), 2u);
        EXPECT_EQ(read.rows[0], sampleRun());
        RunRecord expected = odd;
        expected.nodeCheck = "NOT CONFIRMED - line one  line two";  // a row stays one line
        EXPECT_EQ(read.rows[1], expected);
    }
    EXPECT_EQ(historyRow(sampleRun(), "\n"),
              "2026-07-12T04:30:00+02:00,2026-07-12T04:42:34+02:00,754,DAEMON - litecoind,2700000,2704032,4032,"
              "180000000000,180500000000,!!! COMPLETED SUCCESSFULLY !!!,!!! COMPLETED SUCCESSFULLY !!!,CONFIRMED,"
              "POWER AUTOTIMER - SHUTDOWN,38\n");
}

TEST(RunHistoryFile, DamagedLinesAreSkippedAndCountedAndAForeignFileIsNotOurs) {
    std::string text = fileOf({sampleRun(), sampleRun()});
    // A crash mid-append: the last line has no line end and half its fields.
    const std::string cut = historyRow(sampleRun(), "\n").substr(0, 60);
    HistoryRead read = parseHistory(text + cut);
    EXPECT_TRUE(read.ours);
    EXPECT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.damagedLines, 1);
    // A whole row cut exactly before its line end is cut all the same.
    std::string row = historyRow(sampleRun(), "\n");
    row.pop_back();
    EXPECT_EQ(parseHistory(text + row).damagedLines, 1);
    // Lines edited by hand: a word for a number, a quote left open, a field short.
    read = parseHistory(text + "2026-07-12T04:30:00+02:00,x,1,a,b,c,d,e,f,g,h,i,j\n\"open,1\n1,2,3\n" +
                        historyRow(sampleRun(), "\n"));
    EXPECT_EQ(read.rows.size(), 3u);
    EXPECT_EQ(read.damagedLines, 3);

    for (const char* foreign : {"date,blocks\n2026-07-12,5\n", "\x89PNG\r\n\x1a\n", "start,end\n"})
        EXPECT_FALSE(parseHistory(foreign).ours) << foreign;
    EXPECT_TRUE(parseHistory("").ours) << "a file whose header never reached the disk";
}

TEST(RunHistoryFile, AHundredThousandRowsAreAllRead) {
    std::vector<RunRecord> rows(100'000, sampleRun());
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i].start += static_cast<long long>(i) * week;
    const std::string text = fileOf(rows);
    ASSERT_LT(text.size(), read_limits::runHistory);
    const HistoryRead read = parseHistory(text);
    ASSERT_EQ(read.rows.size(), rows.size());
    EXPECT_EQ(read.rows.back().start, rows.back().start);
    EXPECT_EQ(read.damagedLines, 0);
}

struct HistoryFiles {
    FakePlatform fake{PlatformProfile::posix("/home/ann")};
    std::string home = "/home/ann/QUORVEL-ROOT/SYNCWARD";
    std::string first() const { return home_layout::runHistoryFile(fake.profile, home, "LTC1"); }
    std::string beside(int n) const { return home + "/REPORTS/LTC1-RUN-HISTORY-" + std::to_string(n) + ".csv"; }
    HistoryAppend append() { return appendToHistory(fake.files, fake.profile, home, "LTC1", sampleRun()); }
};

TEST(RunHistoryFile, AppendsWholeLinesAfterTheHeaderAndAfterALineCutShort) {
    HistoryFiles h;
    EXPECT_EQ(h.first(), "/home/ann/QUORVEL-ROOT/SYNCWARD/REPORTS/LTC1-RUN-HISTORY.csv");
    ASSERT_TRUE(h.append().written);
    ASSERT_TRUE(h.append().written);
    EXPECT_EQ(h.fake.files.files[h.first()], fileOf({sampleRun(), sampleRun()}));
    EXPECT_EQ(h.fake.files.writes, 0) << "never rewritten, only appended";

    h.fake.files.files[h.first()] += "2026-07-19T04:30:00+02:00,2026";
    const HistoryAppend after = h.append();
    EXPECT_TRUE(after.written);
    EXPECT_EQ(historyStatus(after), "");
    const HistoryRead read = parseHistory(h.fake.files.files[h.first()]);
    EXPECT_EQ(read.rows.size(), 3u);
    EXPECT_EQ(read.damagedLines, 1);
}

TEST(RunHistoryFile, AForeignOrUnreadableFileIsLeftAloneAndTheHistoryGoesOnBesideIt) {
    HistoryFiles h;
    const std::string foreign = "my own notes\n";
    h.fake.files.files[h.first()] = foreign;
    HistoryAppend append = h.append();
    EXPECT_TRUE(append.written);
    EXPECT_EQ(append.file.path, h.beside(2));
    EXPECT_EQ(h.fake.files.files[h.first()], foreign);
    EXPECT_EQ(historyStatus(append),
              "!!! RUN HISTORY " + h.first() + " IS NOT A HISTORY FILE OR CANNOT BE READ - LEFT ALONE - "
              "HISTORY GOES ON IN " + h.beside(2) + " !!!");
    // The next run finds the file beside it and goes on there.
    append = h.append();
    EXPECT_EQ(append.file.path, h.beside(2));
    EXPECT_EQ(append.file.read.rows.size(), 2u);

    h.fake.files.readFailures[h.beside(2)] = ReadFailure::unreadable;
    append = h.append();
    EXPECT_EQ(append.file.path, h.beside(3));
    EXPECT_EQ(append.file.leftAlone, (std::vector<std::string>{h.first(), h.beside(2)}));

    h.fake.files.unwritable.insert(h.beside(3));
    h.fake.files.files.erase(h.beside(3));
    append = h.append();
    EXPECT_FALSE(append.written);
    EXPECT_EQ(historyStatus(append), "!!! RUN HISTORY NOT WRITTEN: " + h.beside(3) + " - CHECK THE REPORTS FOLDER !!!");
    h.home = "";
    EXPECT_FALSE(h.append().written) << "no home folder, no file in the working folder";
}

TEST(RunHistoryFile, AFileOfTheFirstFormatIsReadAndCarriedOverWholeIntoTheSameFile) {
    HistoryFiles h;
    const std::string earlier = firstFormatHeader + "\n" + firstFormatRows;
    const HistoryRead read = parseHistory(earlier);
    ASSERT_TRUE(read.ours);
    EXPECT_EQ(read.format, 1);
    ASSERT_EQ(read.rows.size(), 2u);
    EXPECT_EQ(read.damagedLines, 1);
    EXPECT_EQ(read.rows[0].blocksDownloaded, 2016);
    EXPECT_EQ(read.rows[0].nodeExitSeconds, std::nullopt) << "not kept then: unknown, not zero";
    EXPECT_EQ(read.rows[1].runOutcome, "!!! RUN STOPPED BY THE USER !!!");

    h.fake.files.files[h.first()] = earlier;
    const HistoryAppend append = h.append();
    ASSERT_TRUE(append.written);
    EXPECT_EQ(append.file.path, h.first()) << "never split into a file beside it";
    EXPECT_EQ(historyStatus(append), "");
    // Today's header, the old rows as they stood with the new column empty,
    // the damaged line kept as it was, then the new row.
    const std::string expected = historyHeader() + "\n" +
                                 "2026-07-05T04:30:00+02:00,2026-07-05T04:40:00+02:00,600,DAEMON - litecoind,2695000,"
                                 "2697016,2016,179000000000,179500000000,!!! COMPLETED SUCCESSFULLY !!!,"
                                 "!!! COMPLETED SUCCESSFULLY !!!,CONFIRMED,AUTOCLOSE,\n"
                                 "2026-07-06T04:30:00+02:00,2026\n"
                                 "2026-07-07T04:30:00+02:00,2026-07-07T04:31:00+02:00,60,,,,,,,,"
                                 "\"!!! RUN STOPPED BY THE USER !!!\",NOT ASKED,,\n" +
                                 historyRow(sampleRun(), "\n");
    EXPECT_EQ(h.fake.files.files[h.first()], expected);
    const HistoryRead after = parseHistory(h.fake.files.files[h.first()]);
    EXPECT_EQ(after.format, historyFormat);
    ASSERT_EQ(after.rows.size(), 3u);
    EXPECT_EQ(after.rows[0], read.rows[0]);
    EXPECT_EQ(after.rows[1], read.rows[1]);
    EXPECT_EQ(after.damagedLines, 1);

    // Once carried over, rows are only appended again.
    const int writes = h.fake.files.writes;
    ASSERT_TRUE(h.append().written);
    EXPECT_EQ(h.fake.files.writes, writes);
}

TEST(RunHistoryFile, AnEarlierFormatThatCannotBeCarriedOverIsLeftAsItWas) {
    HistoryFiles h;
    const std::string earlier = firstFormatHeader + "\r\n" + firstFormatRows;
    h.fake.files.files[h.first()] = earlier;
    h.fake.files.unwritable.insert(h.first());
    const HistoryAppend append = h.append();
    EXPECT_FALSE(append.written);
    EXPECT_EQ(h.fake.files.files[h.first()], earlier);
    EXPECT_EQ(historyStatus(append), "!!! RUN HISTORY NOT WRITTEN: " + h.first() + " - CHECK THE REPORTS FOLDER !!!");
}

TEST(RunHistoryFile, ARowOfAnyFormatIsReadOnItsOwn) {
    const std::string firstRow = firstFormatRows.substr(0, firstFormatRows.find('\n'));
    const auto old = parseHistoryRow(firstRow);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->finalAction, "AUTOCLOSE");
    std::string today = historyRow(sampleRun(), "");
    EXPECT_EQ(parseHistoryRow(today), sampleRun());
    EXPECT_FALSE(parseHistoryRow(today + ",1")) << "more fields than any format has";
    EXPECT_FALSE(parseHistoryRow("2026-07-06T04:30:00+02:00,2026"));
}

// Columns are only ever added at the end, each format adds at least one,
// and every column can be written, read back and shown.
TEST(RunHistoryColumns, EachFormatAddsColumnsAtTheEndAndEveryColumnIsComplete) {
    const auto columns = historyColumns();
    EXPECT_EQ(historyHeader(1), firstFormatHeader);
    int since = 1;
    std::set<std::string_view> headings;
    for (const HistoryColumn& column : columns) {
        EXPECT_GE(column.since, since) << column.heading << " added before a later format's column";
        since = column.since;
        EXPECT_TRUE(headings.insert(column.heading).second) << column.heading;
        EXPECT_FALSE(column.title.empty()) << column.heading;
        EXPECT_TRUE(column.write && column.read && column.shown) << column.heading;
    }
    EXPECT_EQ(since, historyFormat) << "the last format is today's";
    for (int format = 2; format <= historyFormat; ++format)
        EXPECT_GT(historyColumns(format).size(), historyColumns(format - 1).size()) << format;
}

TEST(HistoryGrowth, FromTheFirstToTheLastMeasurementWithTheDiskFullDate) {
    std::vector<RunRecord> rows(3, sampleRun());
    // 100 GB, then 102 GB four weeks later: 0.5 GB a week.
    rows[0].start = july12;
    rows[0].bytesBefore = 100'000'000'000u;
    rows[0].bytesAfter.reset();
    rows[1].start = july12 + week;
    rows[1].end = july12 + 2 * week;
    rows[1].bytesBefore.reset();
    rows[1].bytesAfter.reset();
    rows[2].end = july12 + 4 * week;
    rows[2].start = rows[2].end - 600;
    rows[2].bytesBefore = 101'900'000'000u;
    rows[2].bytesAfter = 102'000'000'000u;
    const long long now = july12 + 4 * week;
    const GrowthEstimate e = estimateGrowth(rows, 26'000'000'000u, now);
    ASSERT_TRUE(e.bytesPerWeek);
    EXPECT_NEAR(*e.bytesPerWeek, 0.5e9, 1);
    ASSERT_TRUE(e.weeksUntilFull);
    EXPECT_NEAR(*e.weeksUntilFull, 52, 1e-6);
    EXPECT_EQ(e.fullAt, now + 52 * week);
    EXPECT_EQ(growthText(e, 26'000'000'000u, 0),
              "GROWTH: 0.50 GB PER WEEK - 26.00 GB FREE - DISK FULL IN ABOUT 52 WEEKS (2027-08-08) AT THIS RATE");

    EXPECT_EQ(growthText(estimateGrowth(rows, std::nullopt, now), std::nullopt, 0),
              "GROWTH: 0.50 GB PER WEEK - FREE SPACE UNKNOWN");
    // Shrinking (pruned) or one measurement only.
    std::swap(rows[0].start, rows[2].end);
    EXPECT_EQ(growthText(estimateGrowth(rows, 1'000'000'000u, now), 1'000'000'000u, 0).substr(0, 27),
              "GROWTH: -0.50 GB PER WEEK -");
    EXPECT_FALSE(estimateGrowth({rows[1]}, 1u, now).bytesPerWeek);
    EXPECT_EQ(growthText(estimateGrowth({}, 1u, now), 1u, 0),
              "GROWTH: NEEDS TWO FOLDER SIZES MEASURED AT DIFFERENT TIMES");
}

TEST(HistoryMailTable, TheLastRunsNewestLastInColumns) {
    std::vector<RunRecord> rows(7, sampleRun());
    rows.back().runOutcome = "!!! RUN STOPPED BY THE USER !!!";
    rows.back().blocksDownloaded.reset();
    const std::string table = historyMailTable(rows, 5, "\r\n");
    EXPECT_TRUE(table.starts_with("RUN HISTORY - LAST 5 RUNS:\r\nSTART"));
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 7);
    EXPECT_TRUE(table.ends_with("2026-07-12T04:30:00+02:00  00:12:34  -         180.50 GB   "
                                "!!! RUN STOPPED BY THE USER !!!\r\n"))
        << table;
    EXPECT_EQ(runLengthText(100 * 3600 + 61), "100:01:01");
}

}  // namespace
}  // namespace syncward::testing
