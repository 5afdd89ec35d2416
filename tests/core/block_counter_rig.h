#pragma once

#include <array>
#include <deque>
#include <string>
#include <vector>

#include "core/processes/command_file.h"
#include "core/state/home_layout.h"
#include "core/state/main_window_painter.h"
#include "support/app_harness.h"

namespace syncward::testing {

// The main window with a node whose client answers from a script: each run
// of the block-count command file starts the client, which writes the next
// scripted reading into the latest block-count file and ends after
// clientRunMs (0: it is gone before the process watch can see it).
struct BlockCounterRig {
    explicit BlockCounterRig(PlatformProfile profile = PlatformProfile::windows())
        : h(std::move(profile)), helper("TEST_HELPER", h.fake.loop) {
        const bool windows = h.fake.profile.flavour() == PlatformProfile::Flavour::Windows;
        home = windows ? "C:\\QUORVEL-ROOT\\SYNCWARD" : "/home/satoshi/QUORVEL-ROOT/SYNCWARD";
        qt = windows ? "bitcoin-qt.exe" : "bitcoin-qt";
        daemon = windows ? "bitcoind.exe" : "bitcoind";
        cli = windows ? "bitcoin-cli.exe" : "bitcoin-cli";
        h.store("SYNCWARD_HOME_TEXTBOX", home);
        h.store("QT_NAME_TEXTBOX", qt);
        h.store("DAEMOND_NAME_TEXTBOX", daemon);
        h.store("DAEMONCLI_NAME_SETTINGS_TEXTBOX", cli);
        clientExit.onTick.connect([this] {
            clientExit.stop();
            h.fake.processes.end(cli);
        });
        h.fake.launcher.onRun = [this](const std::string& path) {
            if (path == nodeCheckCommandFile()) {
                // The node check answers what the test filed last, again
                // and again, as a node that stays where it is would.
                ++nodeChecks;
                h.fake.files.files[nodeCheckFile()] = nodeAnswer;
            } else if (path != commandFile()) {
                return;
            } else {
                ++clientRuns;
            }
            if (path == commandFile() && !readings.empty()) {
                h.fake.files.files[blockFile()] = readings.front();
                readings.pop_front();
            }
            if (clientRunMs > 0) {
                h.fake.processes.start(cli);
                clientExit.setInterval(clientRunMs);
                clientExit.start();
            }
        };
    }

    const std::string& lineEnd() const { return h.fake.profile.lineEnd(); }
    std::string blockFile() const { return home_layout::blockCountFile(h.fake.profile, home, "BTC1"); }
    std::string commandFile() const {
        return commandFilePath(h.fake.profile, home, "BTC1", CommandFile::BlockCounter);
    }
    std::string nodeCheckCommandFile() const {
        return commandFilePath(h.fake.profile, home, "BTC1", CommandFile::NodeCheck);
    }
    std::string nodeCheckFile() const { return home_layout::nodeCheckFile(h.fake.profile, home, "BTC1"); }
    // The node-check file as the client fills it: each call's name on a
    // line of its own, its answer, and "end".
    static std::string nodeCheckText(const std::string& chain, const std::string& peers,
                                     const std::string& connections = "", const std::string& header = "") {
        return "getblockchaininfo\n" + chain + "\ngetpeerinfo\n" + peers + "\ngetconnectioncount\n" + connections +
               "\ngetblockheader\n" + header + "\nend\n";
    }

    // Starts the program with the daemon running and lets the watch see it.
    MainWindow& start(const std::string& lastReading = {}) {
        h.fake.processes.start(daemon);
        h.start();
        setReading(main(), &BlockReadings::lastAccepted, lastReading);
        advance(250);
        h.fake.store.clearLog();
        return main();
    }
    MainWindow& main() { return h.main(); }
    VirtualLoop& loop() { return h.fake.loop; }
    void advance(std::int64_t ms) { loop().advance(ms); }
    bool runUntil(const std::function<bool()>& condition, std::int64_t limitMs = 3'600'000) {
        return loop().runUntil(condition, limitMs);
    }
    void setInterval(const std::string& text) { main().USER_COUNT_TIME_TEXTBOX.setText(text); }
    void clickStart() { main().START_STOP_TIMER_BUTTON.click(); }

    // The four check indicators as letters: N neutral, P pink, G green.
    std::string indicators() {
        std::string letters;
        MainWindow& w = main();
        for (TextBox* box : {&w.IDENTICAL_TEXTBOX, &w.VERIFYING_TEXTBOX, &w.TRIPLE_CHECK_TEXTBOX, &w.CONFIRMED_TEXTBOX})
            letters += box->background() == colours::green ? 'G'
                       : box->background() == colours::pink ? 'P'
                       : box->background() == colours::windowBackground ? 'N'
                                                                          : '?';
        return letters;
    }
    // Which stage timers run, by name.
    std::vector<std::string> runningStages() {
        MainWindow& w = main();
        std::vector<std::string> names;
        for (Timer* t : {&w.BLOCKCOUNTER_COUNTDOWN_TIMER, &w.GETBLOCKCOUNT_TIMER, &w.CLI_PROCESS_WATCHER_TIMER,
                         &w.BLOCKCOUNT_TEXTBOX_UPDATER_TIMER, &w.ZERO_EMPTY_TEXTBOX_CHECKER_TIMER,
                         &w.IDENTICAL_CHECKER_TIMER, &w.CHECKER_TIMER, &w.VERIFY_TIMER, &w.TRIPLE_CHECK_TIMER,
                         &w.COMPLETED_TIMER, &w.OVERRIDE_TIMER})
            if (t->enabled()) names.push_back(t->name());
        return names;
    }
    // Every status shown from now on, with the indicators at that moment.
    void recordStatuses() {
        main().controlObserver = [this](Control& control) {
            Label& status = main().CURRENT_STATUS_LABEL;
            if (&control == &status && status.caption() != lastStatus) {
                lastStatus = status.caption();
                statuses.push_back(lastStatus + " " + indicators());
                statusTimes.push_back(loop().now());
            }
        };
    }

    AppHarness h;
    Form helper;
    Timer clientExit{helper, "CLIENT_EXIT"};
    std::string home, qt, daemon, cli;
    std::deque<std::string> readings;
    int clientRunMs = 0;
    int clientRuns = 0;
    std::string nodeAnswer;
    int nodeChecks = 0;
    std::vector<std::string> statuses;
    std::vector<std::int64_t> statusTimes;
    std::string lastStatus;
};

}  // namespace syncward::testing
