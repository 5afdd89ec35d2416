// The configuration file the generator writes is read by a real node: the
// packaged litecoind in regtest on 127.0.0.1, and its client with nothing
// but that file, as the block counter's command file runs it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <fstream>

#include "core/confgen/coin_presets_window.h"
#include "core/confgen/conf_generator_window.h"
#include "core/confgen/confgen_windows.h"
#include "core/confgen/rpc_credentials.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "e2e/regtest_node.h"
#include "platform/posix/posix_file_system.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

struct Answer {
    int exitCode = -1;
    std::string output;
};

// Runs a program without a shell, input on its standard input, and takes
// its standard output: a password given this way shows in no process list.
Answer runWithInput(const std::vector<std::string>& argv, const std::string& input) {
    int in[2], out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], STDIN_FILENO);
        ::dup2(out[1], STDOUT_FILENO);
        for (int fd : {in[0], in[1], out[0], out[1]}) ::close(fd);
        std::vector<char*> args;
        for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    // A client that exits without reading must not take the test with it.
    ::signal(SIGPIPE, SIG_IGN);
    [[maybe_unused]] const ssize_t written = ::write(in[1], input.data(), input.size());
    ::close(in[1]);
    Answer answer;
    std::array<char, 4096> buffer{};
    for (ssize_t n; (n = ::read(out[0], buffer.data(), buffer.size())) > 0;) answer.output.append(buffer.data(), n);
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    answer.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return answer;
}

// The regtest part of a configuration: loopback only, free ports, no
// listening, nothing that reaches out.
std::string regtestBlock(const std::string& end) {
    std::string block = "regtest=1" + end + "dnsseed=0" + end + "listenonion=0" + end + "discover=0" + end +
                        "printtoconsole=0" + end + "[regtest]" + end + "listen=0" + end + "upnp=0" + end +
                        "port=" + std::to_string(freeLoopbackPort()) + end +
                        "rpcport=" + std::to_string(freeLoopbackPort()) + end + "rpcbind=127.0.0.1" + end +
                        "rpcallowip=127.0.0.1";
    return block;
}

// The program's models on the fake platform, but writing real files.
struct RealFilesProgram {
    explicit RealFilesProgram(const std::string& home)
        : fake(PlatformProfile::posix(home)),
          platform(fake.with({.files = &files})) {
        fake.store.put(fake.section(), "SYNCWARD_HOME_TEXTBOX", home);
        app = std::make_unique<Application>(platform);
        app->start();
    }
    FakePlatform fake;
    PosixFileSystem files;
    Platform platform;
    std::unique_ptr<Application> app;
};

TEST(ConfGeneratorOnANode, TheSavedFileStartsLitecoindAndItsClientLogsInWithThatFileAlone) {
    TempDir dir;
    const std::string home = dir / "home";
    RealFilesProgram program(home);
    Application& app = *program.app;
    app.main().SETTINGS_BUTTON.click();
    MainSettingsWindow& settings = app.settingsWindows().mainSettings();
    settings.CREATE_FOLDERS_BUTTON.click();
    settings.CONF_MANAGER_BUTTON.click();

    ConfGeneratorWindow& g = app.confGenWindows().generator();
    g.IDS_BUTTON.click();
    CoinPresetsWindow& presets = app.confGenWindows().presets();
    presets.IMPORT_SETTINGS_TICKBOX.setValue(1);
    presets.BASIC_SETTINGS_BUTTON.click();
    presets.coinButton("LTC").click();
    presets.CANCEL_BUTTON.click();
    // A node on regtest refuses a wallet= line that only the main network's
    // section holds; emptying the field comments the line out.
    g.WALLET_FILE_TEXTBOX.setText("");
    g.RPC_USER_TEXTBOX.setText("syncward");
    g.RPC_PASSWORD_TEXTBOX.setText("Generated-Pass_word1");
    g.USER_DEFINED_SETTINGS_TEXTBOX.setText(regtestBlock("\n"));
    g.SAVE_BUTTON.click();
    ASSERT_EQ(g.CANCEL_BUTTON.caption(), "Close") << g.MESSAGE_STATUS_TEXTBOX.text();

    const std::string conf = home + "/CONFIGS/BTC1-CRYPTO-CONFIG.conf";
    struct stat info {};
    ASSERT_EQ(::stat(conf.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);  // it holds the RPC password
    std::ifstream in(conf);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(text.starts_with("# - LTC - Litecoin - CONF FILE CREATED USING QUORVEL")) << text;
    EXPECT_NE(text.find("\nport=9333\nrpcport=9332\n"), std::string::npos) << text;

    RegtestNode node(dir / "chain", conf, RegtestNode::OwnConf{});
    ASSERT_TRUE(node.start(60)) << text;
    node.mine(3);
    // As the block counter's command file asks: the client and -conf only.
    const Answer count = runWithInput({"litecoin-cli", "-conf=" + conf, "getblockcount"}, "");
    EXPECT_EQ(count.exitCode, 0);
    EXPECT_EQ(count.output, "3\n");
    EXPECT_TRUE(node.stop(60));
}

TEST(ConfGeneratorOnANode, ANodeWithTheTenPresetRpcauthLinesAcceptsEachPresetPasswordOnly) {
    TempDir dir;
    const std::string conf = dir / "presets.conf";
    {
        std::ofstream out(conf);
        out << regtestBlock("\n") << "\n";
        for (const RpcCredentials& preset : rpcTestPresets) out << "rpcauth=" << preset.auth << "\n";
    }
    RegtestNode node(dir / "chain", conf, RegtestNode::OwnConf{});
    ASSERT_TRUE(node.start(60));  // it answers its cookie
    auto ask = [&conf](const std::string& user, const std::string& password) {
        return runWithInput({"litecoin-cli", "-conf=" + conf, "-rpcuser=" + user, "-stdinrpcpass", "getblockcount"},
                            password + "\n");
    };
    for (const RpcCredentials& preset : rpcTestPresets) {
        const Answer answer = ask(preset.user, preset.password);
        EXPECT_EQ(answer.exitCode, 0) << preset.user;
        EXPECT_EQ(answer.output, "0\n") << preset.user;
    }
    EXPECT_NE(ask(rpcTestPresets[0].user, rpcTestPresets[1].password).exitCode, 0);
    EXPECT_NE(ask(rpcTestPresets[0].user, std::string(rpcTestPresets[0].password) + "x").exitCode, 0);
    EXPECT_TRUE(node.stop(60));
}

}  // namespace
}  // namespace syncward::testing
