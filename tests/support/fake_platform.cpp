#include "support/fake_platform.h"

#include <algorithm>
#include <cctype>

#include "core/form/form.h"

namespace syncward::testing {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

}  // namespace

std::string FakeSettingsStore::get(const std::string& section, const std::string& key, const std::string& fallback) {
    auto it = values.find({section, key});
    return it == values.end() ? fallback : it->second;
}

bool FakeSettingsStore::save(const std::string& section, const std::string& key, const std::string& value) {
    if (failSaves || failingKeys.count(key)) return false;
    values[{section, key}] = value;
    log.emplace_back(section, key);
    return true;
}

std::optional<std::string> FakeSettingsStore::stored(const std::string& section, const std::string& key) const {
    auto it = values.find({section, key});
    if (it == values.end()) return std::nullopt;
    return it->second;
}

std::vector<std::string> FakeSettingsStore::savedKeys(const std::string& section) const {
    std::vector<std::string> keys;
    for (const auto& [s, k] : log)
        if (s == section) keys.push_back(k);
    return keys;
}

namespace {

bool holds(const std::multiset<std::string>& processes, const std::string& name) {
    return std::any_of(processes.begin(), processes.end(), [&](const std::string& p) { return sameIgnoringCase(p, name); });
}

void endAll(std::multiset<std::string>& processes, const std::string& name) {
    for (auto it = processes.begin(); it != processes.end();)
        it = sameIgnoringCase(*it, name) ? processes.erase(it) : std::next(it);
}

}  // namespace

std::optional<std::vector<NamedProcesses>> FakeProcessTable::look(const std::vector<std::string>& names) {
    ++queries;
    if (failQueries) return std::nullopt;
    std::vector<NamedProcesses> answer;
    for (const std::string& name : names) {
        const bool startedHere = holds(processes, name);
        bool left = false, onFolder = false;
        for (const auto& [node, folder] : leftRunning)
            if (sameIgnoringCase(node, name)) {
                left = true;
                onFolder |= !claimedFolder.empty() && folder == claimedFolder;
            }
        answer.push_back({startedHere || left || holds(bystanders, name), startedHere || onFolder, onFolder});
    }
    return answer;
}

void FakeProcessTable::terminate(const std::string& name) {
    terminated.push_back(name);
    endAll(processes, name);
    endAll(bystanders, name);
    std::erase_if(leftRunning, [&](const auto& node) { return sameIgnoringCase(node.first, name); });
}

void FakeProcessTable::terminateOurs(const std::string& name) {
    terminated.push_back(name);
    endAll(processes, name);
    std::erase_if(leftRunning, [&](const auto& node) {
        return sameIgnoringCase(node.first, name) && !claimedFolder.empty() && node.second == claimedFolder;
    });
}

bool FakeProcessTable::namesThisProgram(const std::string& name) {
    return std::any_of(ownNames.begin(), ownNames.end(), [&](const std::string& own) { return sameIgnoringCase(own, name); });
}

bool FakeLauncher::runCommandFile(const std::string& path) {
    ran.push_back(path);
    if (failStarts) return false;
    if (onRun) onRun(path);
    return true;
}

bool FakeLauncher::runProgram(const std::vector<std::string>& argv) {
    programs.push_back(argv);
    return !failStarts;
}

std::shared_ptr<const ProgramExit> FakeLauncher::runProgramWatched(const std::vector<std::string>& argv) {
    if (!runProgram(argv)) return nullptr;
    lastExit = std::make_shared<ProgramExit>();
    return lastExit;
}

TextRead FakeFileSystem::readText(const std::string& path, std::size_t limit) {
    if (auto link = links.find(path); link != links.end()) return readText(link->second, limit);
    return readTextNoFollow(path, limit);
}

TextRead FakeFileSystem::readTextNoFollow(const std::string& path, std::size_t limit) {
    if (links.count(path)) return {std::nullopt, ReadFailure::notRegularFile};
    if (auto failure = readFailures.find(path); failure != readFailures.end()) return {std::nullopt, failure->second};
    auto it = files.find(path);
    if (it == files.end()) return {std::nullopt, ReadFailure::missing};
    if (it->second.size() > limit) return {std::nullopt, ReadFailure::tooLarge};
    return {it->second, ReadFailure::none};
}

bool FakeFileSystem::writeText(const std::string& path, const std::string& text) {
    ++writes;
    if (unwritable.count(path)) return false;
    links.erase(path);  // replaced by the file, as a rename does
    files[path] = text;
    return true;
}

bool FakeFileSystem::folderExists(const std::string& path) { return folders.count(path) > 0; }

bool FakeFileSystem::createFolder(const std::string& path) {
    if (unwritable.count(path)) return false;
    folders.insert(path);
    return true;
}

bool FakeFileSystem::removeFile(const std::string& path) {
    if (unwritable.count(path)) return false;
    files.erase(path);
    return true;
}

bool FakeFileSystem::appendLine(const std::string& path, const std::string& line) {
    if (unwritable.count(path) || readFailures.count(path) || links.count(path)) return false;
    std::string& text = files[path];
    if (!text.empty() && text.back() != '\n') text += '\n';
    text += line;
    ++appends;
    return true;
}

std::optional<std::uint64_t> FakeFileSystem::freeBytes(const std::string&) { return diskFree; }

class FakeFolderMeasurer::Handle : public FolderMeasurement {
public:
    Handle(std::shared_ptr<bool> wanted, int& abandoned) : wanted_(std::move(wanted)), abandoned_(abandoned) {}
    ~Handle() override {
        if (*wanted_) ++abandoned_;
        *wanted_ = false;
    }

private:
    std::shared_ptr<bool> wanted_;
    int& abandoned_;
};

FakeFolderMeasurer::FakeFolderMeasurer(EventLoop& loop, FakeFileSystem& files)
    : loop_(loop), files_(files), clock_("FAKE_FOLDER_WALKS", loop), walkTimer_(clock_, "WALK_TIMER") {
    walkTimer_.onTick.connect([this] { finishFirst(); });
}

std::unique_ptr<FolderMeasurement> FakeFolderMeasurer::measure(const std::string& folder, Done done) {
    walked.push_back(folder);
    auto wanted = std::make_shared<bool>(true);
    walks_.push_back({folder, std::move(done), wanted});
    if (walkMs <= 0) {
        loop_.post([this] { finishFirst(); });
    } else if (!walkTimer_.enabled()) {
        walkTimer_.setInterval(walkMs);
        walkTimer_.start();
    }
    return std::make_unique<Handle>(wanted, abandoned);
}

void FakeFolderMeasurer::finishFirst() {
    if (walks_.empty()) return;
    Walk walk = std::move(walks_.front());
    walks_.pop_front();
    if (walks_.empty()) walkTimer_.stop();
    if (!*walk.wanted) return;
    *walk.wanted = false;  // answered: dropping the handle now abandons nothing
    auto it = files_.folderSizes.find(walk.folder);
    FolderWalk size;
    if (it != files_.folderSizes.end()) size.bytes = it->second;
    if (auto unread = files_.unreadSubfolders.find(walk.folder); unread != files_.unreadSubfolders.end())
        size.unread = unread->second;
    walk.done(size);
}

std::optional<std::string> FakeDialogs::browseFolder(Form&, const std::string& title,
                                                     const std::string& initialFolder) {
    folderStarts.push_back(initialFolder);
    return answer(title);
}

std::optional<std::string> FakeDialogs::answer(const std::string& title) {
    titles.push_back(title);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> FakeDialogs::openFile(Form&, const std::string& title, const std::string& filter,
                                                 const std::string& initialFolder) {
    filters.push_back(filter);
    initialFolders.push_back(initialFolder);
    return answer(title);
}

std::optional<std::string> FakeDialogs::saveFile(Form&, const std::string& title, const std::string& filter,
                                                 const std::string& initialPath) {
    filters.push_back(filter);
    initialFolders.push_back(initialPath);
    return answer(title);
}

void FakeWindowHost::showModal(Form& form, Form&) {
    shown.emplace_back(&form, true);
    form.onClosed = [this](Form& f) { hide(f); };
    form.markOpen();
}

void FakeWindowHost::showModeless(Form& form) {
    shown.emplace_back(&form, false);
    form.onClosed = [this](Form& f) { hide(f); };
    form.markOpen();
}

void FakeWindowHost::hide(Form& form) { hidden.push_back(&form); }

FakePlatform::FakePlatform(PlatformProfile p) : profile(std::move(p)), platform(with({})) {}

Platform FakePlatform::with(const Swaps& swaps) {
    powerSwitch.answerThrough(swaps.loop ? *swaps.loop : loop);
    return Platform{swaps.store ? *swaps.store : store,
                    swaps.processes ? *swaps.processes : processes,
                    swaps.launcher ? *swaps.launcher : launcher,
                    swaps.files ? *swaps.files : files,
                    environment,
                    dialogs,
                    swaps.windows ? *swaps.windows : windows,
                    swaps.loop ? *swaps.loop : loop,
                    profile,
                    lockKeys,
                    sleepInhibitor,
                    swaps.crontab ? *swaps.crontab : crontab,
                    swaps.nodeAnswers ? *swaps.nodeAnswers : nodeAnswers,
                    clipboard,
                    swaps.folderMeasurer ? *swaps.folderMeasurer : folderMeasurer,
                    swaps.autostart ? *swaps.autostart : autostart,
                    swaps.setupProbe ? *swaps.setupProbe : setupProbe,
                    powerSwitch};
}

void FakeLockKeys::press(LockKey key) {
    if (!isAvailable) return;
    presses.push_back(key);
    turn(key, !on[key]);
}

void FakeLockKeys::turn(LockKey key, bool turnedOn) {
    on[key] = turnedOn;
    if (changed) changed();
}

bool FakeLockKeys::followChanges(std::function<void()> told) {
    if (!tellsChanges) return false;
    changed = std::move(told);
    return true;
}

std::optional<bool> FakeLockKeys::isOn(LockKey key) {
    if (!isAvailable) return std::nullopt;
    return on[key];
}

std::array<std::optional<bool>, 3> FakeLockKeys::states() {
    ++looks;
    return LockKeys::states();
}

bool FakeSleepInhibitor::hold() {
    if (noBus) return false;
    if (!isHeld) ++holds;
    isHeld = true;
    return true;
}

Crontab::Read FakeCrontab::read() {
    if (failRead) return {Read::Outcome::Failed, "", "crontab: cannot read the table"};
    if (!table) return {Read::Outcome::NoTable, "", ""};
    return {Read::Outcome::Read, *table, ""};
}

Crontab::Written FakeCrontab::write(const std::string& text) {
    if (failWrite) return {false, "crontab: cannot write the table"};
    ++writes;
    table = keepsInstead.value_or(text);
    return {true, ""};
}

Autostart::Done FakeAutostart::write(const std::string& fileName, const std::string& text) {
    if (failWrites) return {false, "cannot create /home/satoshi/.config/autostart"};
    entries[fileName] = text;
    return {true, ""};
}

Autostart::Done FakeAutostart::remove(const std::string& fileName) {
    entries.erase(fileName);
    return {true, ""};
}

}  // namespace syncward::testing
