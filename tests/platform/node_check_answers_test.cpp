#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <limits>
#include <vector>

#include "core/blockcounter/node_check_answer.h"
#include "core/blockcounter/node_check_verdict.h"
#include "core/platform/platform_profile.h"
#include "core/processes/command_file_writer.h"
#include "core/processes/node_command_lines.h"
#include "core/state/home_layout.h"
#include "launch_support.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_launcher.h"
#include "platform/qt/qt_node_answers.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

// Answers as Litecoin Core 0.21 prints them (shortened).
const std::string chainInfo = R"({
  "chain": "regtest",
  "blocks": 300,
  "headers": 300,
  "bestblockhash": "5c1b6d3b1c25b1e0ae0cbff3d0c3b1b5d33ab0b4a9d1e5b1b1c3b0d1c3b5e1f2",
  "difficulty": 4.656542373906925e-10,
  "mediantime": 1765170000,
  "verificationprogress": 1,
  "initialblockdownload": false,
  "chainwork": "000000000000000000000000000000000000000000000000000000000000025a",
  "pruned": false,
  "warnings": ""
}
)";

const std::string peerInfo = R"([
  {
    "id": 0,
    "addr": "127.0.0.1:40001",
    "startingheight": 300,
    "synced_headers": 300,
    "synced_blocks": 300
  },
  {
    "id": 1,
    "addr": "127.0.0.1:40002",
    "startingheight": 12,
    "synced_headers": -1,
    "synced_blocks": -1
  }
]
)";

TEST(QtNodeAnswers, ReadsTheFieldsByNameAndLeavesOutWhatAnOlderNodeLacks) {
    QtNodeAnswers reader;
    const auto chain = reader.chainState(chainInfo);
    ASSERT_TRUE(chain);
    EXPECT_EQ(chain->blocks, 300);
    EXPECT_EQ(chain->headers, 300);
    EXPECT_EQ(chain->initialBlockDownload, false);

    // An old fork: no headers, no initial download flag.
    const auto old = reader.chainState(R"({"chain":"main","blocks":1234567,"difficulty":1.5})");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->blocks, 1234567);
    EXPECT_FALSE(old->headers);
    EXPECT_FALSE(old->initialBlockDownload);
    // A field of the wrong kind counts as missing, not as a value.
    EXPECT_FALSE(reader.chainState(R"({"blocks":10,"headers":"10","initialblockdownload":"no"})")->headers);

    // Not a chain state: the client's errors, nothing, a block count alone.
    for (const std::string& answer : {std::string("error code: -28\nerror message:\nLoading block index...\n"),
                                      std::string(), std::string("300\n"), std::string(R"({"chain":"main"})"),
                                      std::string("[]")})
        EXPECT_FALSE(reader.chainState(answer)) << answer;

    const auto peers = reader.peers(peerInfo);
    ASSERT_TRUE(peers);
    EXPECT_EQ(peers->connected, 2);
    EXPECT_EQ(peers->bestPeerHeader, 300);  // -1 is "none yet", not a height
    EXPECT_EQ(reader.peers("[]")->connected, 0);
    EXPECT_FALSE(reader.peers("[]")->bestPeerHeader);
    EXPECT_FALSE(reader.peers(R"([{"id":0,"addr":"1.2.3.4:9333"}])")->bestPeerHeader);
    EXPECT_FALSE(reader.peers("error code: -32601\nerror message:\nMethod not found\n"));

    EXPECT_EQ(reader.blockTime(R"({"hash":"5c1b","height":300,"time":1765173600,"mediantime":1765170000})"),
              1765173600);
    EXPECT_FALSE(reader.blockTime("error code: -8\nerror message:\nblock hash not found\n"));
}

// The node-check line written as the crypto settings write it and run by
// the real shell: every call reaches the client with the fields exactly as
// typed, the best block's hash is passed on to getblockheader, and the
// file reads back as whole answers.
TEST(QtNodeAnswers, TheNodeCheckCommandFileFillsOneFileTheReaderUnderstands) {
    TempDir dir;
    const PlatformProfile profile = PlatformProfile::posix("/home/nobody");
    const std::string home = dir / "home dir";
    std::filesystem::create_directories(home + "/BATS");
    std::filesystem::create_directories(home + "/BLOCKCOUNTS");
    const std::string marker = dir / "INJECTED";
    const std::string programs = dir / ("prog $HOME `touch " + marker + "` ; dir");
    std::filesystem::create_directories(programs);
    NodeCommandFields fields;
    fields.daemonCliFolder = programs;
    fields.cliName = "coin-cli;$(id)";
    fields.confFile = "/conf dir/it's \"q\".conf";
    fields.dataFolder = "$(touch " + marker + ") & data";
    fields.nodeCheckFile = home_layout::nodeCheckFile(profile, home, "BTC1");

    const std::string argsLog = dir / "args";
    const std::string client = programs + "/" + fields.cliName;
    std::ofstream(client) << "#!/bin/sh\n"
                             "printf '%s|' \"$@\" >> '" + argsLog + "'; echo >> '" + argsLog + "'\n"
                             "for a in \"$@\"; do last=$a; done\n"
                             "case $last in\n"
                             "  getblockchaininfo) cat <<'EOF'\n" + chainInfo + "EOF\n;;\n"
                             "  getpeerinfo) cat <<'EOF'\n" + peerInfo + "EOF\n;;\n"
                             "  getconnectioncount) echo 2 ;;\n"
                             "  getbestblockhash) echo 5c1b6d ;;\n"
                             "  5c1b6d) echo '{ \"hash\": \"5c1b6d\", \"time\": 1765173600 }' ;;\n"
                             "  *) echo \"error code: -32601\" >&2; exit 1 ;;\n"
                             "esac\n";
    ::chmod(client.c_str(), 0700);

    PosixFileSystem files;
    PosixLauncher launcher;
    ASSERT_TRUE(writeCommandFile(files, profile, home, "BTC1", CommandFile::NodeCheck, nodeCheckCommand(profile, fields)));
    ASSERT_TRUE(launcher.runCommandFile(commandFilePath(profile, home, "BTC1", CommandFile::NodeCheck)));
    NodeCheckAnswer answer;
    ASSERT_TRUE(eventually([&] {
        answer = splitNodeCheckAnswer(files.readText(fields.nodeCheckFile, 1 << 20).text.value_or(""));
        return answer.complete;
    }));

    QtNodeAnswers reader;
    EXPECT_EQ(reader.chainState(answer.answerTo("getblockchaininfo"))->blocks, 300);
    EXPECT_EQ(reader.peers(answer.answerTo("getpeerinfo"))->connected, 2);
    EXPECT_EQ(answer.answerTo("getconnectioncount"), "2\n");
    EXPECT_EQ(reader.blockTime(answer.answerTo("getblockheader")), 1765173600);

    const std::string prefix = "-conf=" + fields.confFile + "|-datadir=" + fields.dataFolder + "|";
    const std::string args = slurp(argsLog).value_or("");
    for (const char* call : {"getblockchaininfo|", "getpeerinfo|", "getconnectioncount|", "getbestblockhash|",
                             "getblockheader|5c1b6d|"})
        EXPECT_NE(args.find(prefix + call + "\n"), std::string::npos) << call << " in\n" << args;
    EXPECT_FALSE(std::filesystem::exists(marker));
}

// Numbers a node (or whatever answers in its place) may print that have no
// value as a long long: each is no value, never a converted one, and the
// verdict built on the answers stays defined. The sanitizer build, with
// float-cast-overflow on, fails this test on any conversion out of range.
TEST(QtNodeAnswers, NumbersOutOfRangeAreNoValueAndTheVerdictOnThemIsDefined) {
    const std::vector<std::string> outOfRange = {
        "1e19", "-1e19", "9223372036854775808", "-9223372036854777856",
        "18446744073709551616", "1e308", "-1e308", "1.7976931348623157e308", "-1.7976931348623157e308",
        "4.9e-324", "0.5", "-0.5", "123456789012345678901234567890", "9.3e18", "-9.3e18"};
    const std::vector<std::pair<std::string, long long>> inRange = {
        {"-9223372036854775808", std::numeric_limits<long long>::min()},
        {"9.2e18", 9'200'000'000'000'000'000LL},
        {"-9.2e18", -9'200'000'000'000'000'000LL},
        {"0", 0},
        {"-0", 0},
        {"300", 300},
        {"3e2", 300},
    };
    QtNodeAnswers reader;
    int cases = 0;
    const auto judge = [&](const std::string& chain, const std::string& peers, const std::string& header) {
        NodeCheckAnswer answer;
        answer.answers["getblockchaininfo"] = chain;
        answer.answers["getpeerinfo"] = peers;
        answer.answers["getblockheader"] = header;
        answer.complete = true;
        for (const long long now : {0LL, 1'765'173'600LL, std::numeric_limits<long long>::max()})
            for (const long long limit : {0LL, 3600LL})
                judgeNodeCheck(answer, reader, TipAgeLimit{limit, now}).status();
        ++cases;
    };
    for (const std::string& number : outOfRange) {
        EXPECT_FALSE(reader.chainState(R"({"blocks":)" + number + "}")) << number;
        const auto chain = reader.chainState(R"({"blocks":5,"headers":)" + number + "}");
        ASSERT_TRUE(chain) << number;
        EXPECT_FALSE(chain->headers) << number;
        const auto peers = reader.peers(R"([{"synced_headers":)" + number + "}]");
        ASSERT_TRUE(peers) << number;
        EXPECT_EQ(peers->connected, 1) << number;
        EXPECT_FALSE(peers->bestPeerHeader) << number;
        EXPECT_FALSE(reader.blockTime(R"({"time":)" + number + "}")) << number;
        judge(R"({"blocks":)" + number + R"(,"headers":)" + number + R"(,"initialblockdownload":false})",
              R"([{"synced_headers":)" + number + "}]", R"({"time":)" + number + "}");
    }
    for (const auto& [number, value] : inRange) {
        EXPECT_EQ(reader.chainState(R"({"blocks":)" + number + "}")->blocks, value) << number;
        EXPECT_EQ(reader.blockTime(R"({"time":)" + number + "}"), value) << number;
        // The extremes of the range in every field, against every clock.
        judge(R"({"blocks":)" + number + R"(,"headers":)" + number + R"(,"initialblockdownload":false})",
              R"([{"synced_headers":)" + number + "}]", R"({"time":)" + number + "}");
    }
    // JSON has no infinities nor NaN: such answers are no answers.
    for (const std::string number : {"Infinity", "-Infinity", "NaN", "1e999", "-1e999"}) {
        const auto chain = reader.chainState(R"({"blocks":)" + number + "}");
        EXPECT_FALSE(chain) << number;
        judge(R"({"blocks":)" + number + "}", "[]", R"({"time":)" + number + "}");
    }
    EXPECT_EQ(cases, 27);
}

}  // namespace
}  // namespace syncward::testing
