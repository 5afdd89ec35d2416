#pragma once

#include <array>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <ostream>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/run/application.h"
#include "core/form/form.h"
#include "core/form/virtual_loop.h"
#include "core/platform/platform.h"

namespace syncward {
// Readable colours in test failures.
inline void PrintTo(const Colour& c, std::ostream* os) {
    if (c == colours::windowBackground)
        *os << "windowBackground";
    else if (c == colours::buttonFace)
        *os << "buttonFace";
    else
        *os << "rgb(" << int(c.red()) << "," << int(c.green()) << "," << int(c.blue()) << ")";
}
}  // namespace syncward

namespace syncward::testing {

// An in-memory settings store that remembers every save in order.
class FakeSettingsStore : public SettingsStore {
public:
    std::string get(const std::string& section, const std::string& key, const std::string& fallback) override;
    bool save(const std::string& section, const std::string& key, const std::string& value) override;
    std::string locationOf(const std::string& section) override { return "MEMORY\\QV_SYNCWARD\\" + section; }
    std::string takeUnreadLinesNotice() override { return std::exchange(unreadLinesNotice, {}); }

    void put(const std::string& section, const std::string& key, const std::string& value) { values[{section, key}] = value; }
    std::optional<std::string> stored(const std::string& section, const std::string& key) const;
    // Keys saved to a section, in order, since the last clearLog().
    std::vector<std::string> savedKeys(const std::string& section) const;
    void clearLog() { log.clear(); }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::pair<std::string, std::string>> log;  // section, key
    bool failSaves = false;
    std::set<std::string> failingKeys;  // keys whose saves fail, in every section
    std::string unreadLinesNotice;      // given once, as a real store gives it
};

// A process list the test scripts: the names that run right now.
class FakeProcessTable : public ProcessTable {
public:
    std::optional<std::vector<NamedProcesses>> look(const std::vector<std::string>& names) override;
    void terminate(const std::string& name) override;
    void terminateOurs(const std::string& name) override;
    void askOursToShutDown(const std::string& name) override { askedToShutDown.push_back(name); }
    bool namesThisProgram(const std::string& name) override;
    void claimNodesOnDataFolder(const std::string& folder) override { claimedFolder = folder; }

    void start(const std::string& name) { processes.insert(name); }
    void end(const std::string& name) { processes.erase(processes.find(name)); }
    std::multiset<std::string> processes;  // started by the program; compared ignoring case
    std::multiset<std::string> bystanders;  // the user's others: another node, a client in a terminal
    // Nodes this program did not start, by name, each on its data folder:
    // one an earlier run left, another copy's.
    std::multimap<std::string, std::string> leftRunning;
    std::string claimedFolder;
    std::vector<std::string> terminated;
    std::vector<std::string> askedToShutDown;
    std::set<std::string> ownNames;  // names this program's own process answers to, compared ignoring case
    bool failQueries = false;
    int queries = 0;
};

// Records what was started; a test can react to a start (a command file
// that "runs" a program) through onRun.
class FakeLauncher : public Launcher {
public:
    bool runCommandFile(const std::string& path) override;
    bool runProgram(const std::vector<std::string>& argv) override;
    // Recorded as runProgram; the test ends the program through lastExit.
    std::shared_ptr<const ProgramExit> runProgramWatched(const std::vector<std::string>& argv) override;

    std::vector<std::string> ran;
    std::shared_ptr<ProgramExit> lastExit;
    std::vector<std::vector<std::string>> programs;
    std::function<void(const std::string&)> onRun;
    bool failStarts = false;
};

// Files in memory. A read of a path listed in readFailures fails so, as a
// folder, a device or a damaged disk would; a file past the reader's limit
// fails as too large. A path in links is a symbolic link to its target:
// readText follows it, readTextNoFollow and appendLine do not.
class FakeFileSystem : public FileSystem {
public:
    TextRead readText(const std::string& path, std::size_t limit) override;
    TextRead readTextNoFollow(const std::string& path, std::size_t limit) override;
    bool writeText(const std::string& path, const std::string& text) override;
    bool folderExists(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool removeFile(const std::string& path) override;
    bool appendLine(const std::string& path, const std::string& line) override;
    std::optional<std::uint64_t> freeBytes(const std::string& path) override;

    std::map<std::string, std::string> files;
    // What every disk has free (plenty, unless a test says otherwise);
    // nullopt: the system cannot tell.
    std::optional<std::uint64_t> diskFree = std::uint64_t{500} << 30;
    int appends = 0;
    std::set<std::string> folders;
    // What a walk of each folder sums up; a folder not listed cannot be
    // read in full.
    std::map<std::string, std::uint64_t> folderSizes;
    // Sub-folders a measurement of the folder could not read.
    std::map<std::string, std::vector<std::string>> unreadSubfolders;
    std::set<std::string> unwritable;  // paths whose writes (and folder creations) fail
    std::map<std::string, ReadFailure> readFailures;
    std::map<std::string, std::string> links;
    int writes = 0;
};

// Walks the fake files' folders one after the other, each taking walkMs of
// the loop's time (0: answered right after the tick that asked), and
// answers through the loop as the real walk does from its own thread. The
// size is the one listed when the walk ends.
class FakeFolderMeasurer : public FolderMeasurer {
public:
    FakeFolderMeasurer(EventLoop& loop, FakeFileSystem& files);
    std::unique_ptr<FolderMeasurement> measure(const std::string& folder, Done done) override;

    int walkMs = 0;
    std::vector<std::string> walked;  // folders asked for, in order
    int abandoned = 0;                // measurements dropped before their answer

private:
    struct Walk {
        std::string folder;
        Done done;
        std::shared_ptr<bool> wanted;
    };
    class Handle;
    void finishFirst();

    EventLoop& loop_;
    FakeFileSystem& files_;
    Form clock_;
    Timer walkTimer_;
    std::deque<Walk> walks_;
};

class FakeEnvironment : public Environment {
public:
    std::string executableName() override { return exeName; }
    std::string executableFolder() override { return exeFolder; }
    std::string computerName() override {
        ++computerQueries;  // once per pass of the run
        return computer;
    }
    std::string userName() override { return user; }
    std::string dateText() override { return date; }
    std::string timeText() override { return time; }
    NumberSeparators numberSeparators() override { return separators; }
    long long secondsSinceEpoch() override { return now; }
    void tellStandardError(const std::string& line) override { errorLines.push_back(line); }
    int utcOffsetSeconds(long long at) override { return zone ? zone(at) : 0; }

    std::string exeName = "BTC1";
    std::string exeFolder = "C:\\Tools";
    std::string computer = "NODEBOX";
    int computerQueries = 0;
    std::string user = "satoshi";
    std::string date = "07/12/2026";
    std::string time = "20:15:00";
    NumberSeparators separators;  // "," and "."
    long long now = 1'800'000'000;
    std::vector<std::string> errorLines;
    std::function<int(long long)> zone;  // the local zone's offset; none: UTC
};

// The node's answers by their exact text: a test files the plain values an
// answer stands for; any other text (an error, nothing) reads as no answer.
class FakeNodeAnswers : public NodeAnswers {
public:
    std::optional<ChainState> chainState(const std::string& answer) override { return find(chains, answer); }
    std::optional<PeerState> peers(const std::string& answer) override { return find(peerLists, answer); }
    std::optional<long long> blockTime(const std::string& answer) override { return find(blockTimes, answer); }

    std::map<std::string, ChainState> chains;
    std::map<std::string, PeerState> peerLists;
    std::map<std::string, long long> blockTimes;

private:
    template <typename T>
    static std::optional<T> find(const std::map<std::string, T>& answers, const std::string& answer) {
        const auto found = answers.find(answer);
        return found == answers.end() ? std::nullopt : std::optional<T>(found->second);
    }
};

// Answers dialogs from a queue; an empty answer is a cancel.
class FakeDialogs : public Dialogs {
public:
    std::optional<std::string> browseFolder(Form& owner, const std::string& title,
                                            const std::string& initialFolder) override;
    std::optional<std::string> openFile(Form& owner, const std::string& title, const std::string& filter,
                                        const std::string& initialFolder) override;
    std::optional<std::string> saveFile(Form& owner, const std::string& title, const std::string& filter,
                                        const std::string& initialPath) override;

    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> titles;
    std::vector<std::string> filters;         // of file dialogs
    std::vector<std::string> initialFolders;  // of file dialogs
    std::vector<std::string> folderStarts;    // of folder browsers

private:
    std::optional<std::string> answer(const std::string& title);
};

class FakeWindowHost : public WindowHost {
public:
    void showModal(Form& form, Form& owner) override;
    void showModeless(Form& form) override;
    void hide(Form& form) override;
    bool isForeground(Form& form) override { return foreground == &form; }
    void setTopmost(Form& form, bool on) override {
        if (on)
            topmost.insert(&form);
        else
            topmost.erase(&form);
    }

    std::vector<std::pair<Form*, bool>> shown;  // form, modal
    std::vector<Form*> hidden;
    std::set<Form*> topmost;
    Form* foreground = nullptr;
};

// Lock keys that remember their states and every press; unavailable ones
// ignore presses and read as unknown, as without a display.
class FakeLockKeys : public LockKeys {
public:
    bool available() override { return isAvailable; }
    void press(LockKey key) override;
    std::optional<bool> isOn(LockKey key) override;
    std::array<std::optional<bool>, 3> states() override;
    bool followChanges(std::function<void()> changed) override;
    // The user turns a key on or off; a system that tells of changes says so.
    void turn(LockKey key, bool turnedOn);

    bool isAvailable = true;
    bool tellsChanges = false;  // as X11 with XKB does; otherwise the lights ask
    std::function<void()> changed;
    std::map<LockKey, bool> on;
    std::vector<LockKey> presses;
    int looks = 0;  // calls of states()
};

class FakeSleepInhibitor : public SleepInhibitor {
public:
    bool hold() override;
    void release() override { isHeld = false; }
    bool held() const override { return isHeld; }
    std::vector<HeldInhibitor> holding() const override { return isHeld ? names : std::vector<HeldInhibitor>{}; }

    bool noBus = false;
    // What a hold takes, as named; none by default, as on Windows.
    std::vector<HeldInhibitor> names;
    bool isHeld = false;
    int holds = 0;
};

// A crontab in memory: absent until written; a scripted failure of reading
// or writing; a write may keep something else than was written.
class FakeCrontab : public Crontab {
public:
    Read read() override;
    Written write(const std::string& text) override;
    Program program() override { return programToRun; }

    std::optional<std::string> table;
    bool failRead = false;
    bool failWrite = false;
    std::optional<std::string> keepsInstead;  // what a write really leaves
    int writes = 0;
    Program programToRun{"/opt/nodes/BTC1", {}};
};

// Autostart entries in memory, by file name; a scripted failure of writing.
class FakeAutostart : public Autostart {
public:
    Done write(const std::string& fileName, const std::string& text) override;
    Done remove(const std::string& fileName) override;
    bool exists(const std::string& fileName) override { return entries.count(fileName) != 0; }

    std::map<std::string, std::string> entries;
    bool failWrites = false;
};

// Remembers every text copied, in order.
class FakeClipboard : public Clipboard {
public:
    void setText(const std::string& text) override { copied.push_back(text); }
    std::vector<std::string> copied;
};

// The set-up check's system as a test scripts it: paths by their facts
// (any other path does not exist), what the servers say, and the client's
// answers by the call (the last argument).
class FakeSetupProbe : public SetupProbe {
public:
    PathFacts path(const std::string& p) override {
        const auto found = paths.find(p);
        return found == paths.end() ? PathFacts{} : found->second;
    }
    ServerGreeting greeting(const std::string& host, int port, int) override {
        const std::string address = host + ":" + std::to_string(port);
        if (const auto found = servers.find(address); found != servers.end()) return found->second;
        if (open.count(address)) return {ServerGreeting::Outcome::Line, "220 fake.example ESMTP"};
        return {};
    }
    ProgramOutput runToEnd(const std::vector<std::string>& argv, int) override {
        ran.push_back(argv);
        const auto found = argv.empty() ? answers.end() : answers.find(argv.back());
        return found == answers.end() ? ProgramOutput{} : found->second;
    }
    std::vector<std::string> programFolders() override { return pathFolders; }
    std::vector<std::string> folderNames(const std::string& folder) override {
        const auto found = folders.find(folder);
        return found == folders.end() ? std::vector<std::string>{} : found->second;
    }

    // Common facts: a folder this user may write, a program it may run,
    // a file it may read.
    static PathFacts folder() { return {true, true, true, true, false, false}; }
    static PathFacts program() { return {true, false, true, false, true, false}; }
    static PathFacts readableFile(bool shared = false) { return {true, false, true, true, false, shared}; }

    std::map<std::string, PathFacts> paths;
    std::set<std::string> open;  // "host:port" of mail servers that greet as they should
    std::map<std::string, ServerGreeting> servers;  // "host:port" of servers that answer otherwise
    std::map<std::string, ProgramOutput> answers;
    std::vector<std::vector<std::string>> ran;
    std::vector<std::string> pathFolders{"/usr/local/bin", "/usr/bin", "/bin"};
    std::map<std::string, std::vector<std::string>> folders;
};

// Power actions as a test scripts the system's answer; every request is
// kept. The answer comes through the loop, as a real one would, unless
// held back (a system that has not answered yet).
class FakePowerSwitch : public PowerSwitch {
public:
    explicit FakePowerSwitch(EventLoop& loop) : loop_(&loop) {}
    // The answer comes through the loop the platform runs on.
    void answerThrough(EventLoop& loop) { loop_ = &loop; }
    void request(PowerAction action, std::function<void(PowerAnswer)> done) override {
        requested.push_back(action);
        pending = std::move(done);
        if (!holdAnswer) answerNow();
    }
    PowerForecast forecast(PowerAction) override { return nextForecast; }
    // Hands the scripted answer to the one who asked.
    void answerNow() {
        if (!pending) return;
        loop_->post([done = std::move(pending), answer = answer] { done(answer); });
        pending = nullptr;
    }

    PowerAnswer answer{true, "LOGIN MANAGER", {}};
    PowerForecast nextForecast{PowerForecast::Verdict::allowed, "LOGIN MANAGER", "THE LOGIN MANAGER ANSWERS YES", {}};
    bool holdAnswer = false;
    std::vector<PowerAction> requested;

private:
    EventLoop* loop_;
    std::function<void(PowerAnswer)> pending;
};

// The whole fake platform, on virtual time, under one profile.
struct FakePlatform {
    explicit FakePlatform(PlatformProfile profile = PlatformProfile::windows());

    FakeSettingsStore store;
    FakeProcessTable processes;
    FakeLauncher launcher;
    FakeFileSystem files;
    FakeEnvironment environment;
    FakeDialogs dialogs;
    FakeWindowHost windows;
    VirtualLoop loop;
    FakeFolderMeasurer folderMeasurer{loop, files};
    PlatformProfile profile;
    FakeLockKeys lockKeys;
    FakeSleepInhibitor sleepInhibitor;
    FakeCrontab crontab;
    FakeNodeAnswers nodeAnswers;
    FakeClipboard clipboard;
    FakeAutostart autostart;
    FakeSetupProbe setupProbe;
    FakePowerSwitch powerSwitch{loop};
    Platform platform;

    // The same platform with some parts swapped for real ones: the process
    // list, the launcher, files a real node reads, the views and Qt timers of the GUI
    // tests, the crontab, a real copy's settings file.
    struct Swaps {
        ProcessTable* processes = nullptr;
        Launcher* launcher = nullptr;
        FileSystem* files = nullptr;
        WindowHost* windows = nullptr;
        EventLoop* loop = nullptr;
        Crontab* crontab = nullptr;
        FolderMeasurer* folderMeasurer = nullptr;
        Autostart* autostart = nullptr;
        SettingsStore* store = nullptr;
        SetupProbe* setupProbe = nullptr;
        NodeAnswers* nodeAnswers = nullptr;
    };
    Platform with(const Swaps& swaps);

    // The settings section of the program under test.
    std::string section() const { return environment.exeName; }
};

}  // namespace syncward::testing
