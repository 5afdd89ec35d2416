#include "core/foldersize/folder_sizer.h"

#include <algorithm>
#include <string>

#include "core/foldersize/size_ladder.h"
#include "core/state/app_context.h"
#include "core/state/main_window_painter.h"

namespace syncward {

namespace {

constexpr const char* noFolderSet = "!!! NO BLOCKCHAIN FOLDER SET !!!";
constexpr const char* folderNotFound = "!!! BLOCKCHAIN FOLDER NOT FOUND !!!";
constexpr const char* folderNotReadable = "!!! BLOCKCHAIN FOLDER NOT READABLE !!!";
constexpr const char* notCounted = "!!! NOT COUNTED, COULD NOT BE READ: ";

// Why a folder has no size, with the folder on a second line so the user
// (and the end report) can see which path was asked for.
std::string failureText(AppContext& app, const std::string& folder) {
    if (folder.empty()) return noFolderSet;
    const char* reason = app.platform.files.folderExists(folder) ? folderNotReadable : folderNotFound;
    return reason + app.profile().lineEnd() + folder;
}

}  // namespace

FolderSizer::FolderSizer(AppContext& app)
    : app_(app),
      before_{&app.main.FFS_RUN_1_BUTTON, &app.main.facts.folderBefore, &app.main.FOLDER_SIZER_BEFORE_TIMER},
      after_{&app.main.FFS_RUN_2_BUTTON, &app.main.facts.folderAfter, &app.main.FOLDER_SIZER_AFTER_TIMER} {
    for (const Kind* kind : {&before_, &after_}) {
        kind->timer->onTick.connect([this, kind] { ask(*kind); });
        kind->runButton->onClick.connect([kind] { kind->timer->start(); });
    }
}

FolderSizer::~FolderSizer() = default;

bool FolderSizer::busy() const {
    return walking_ || !waiting_.empty() || before_.timer->enabled() || after_.timer->enabled();
}

void FolderSizer::abandon() {
    waiting_.clear();
    walking_ = nullptr;
    measurement_.reset();
}

void FolderSizer::ask(const Kind& kind) {
    kind.runButton->setEnabled(false);
    kind.timer->stop();
    // Asked again before its walk began: that walk still lies ahead.
    if (std::find(waiting_.begin(), waiting_.end(), &kind) == waiting_.end()) waiting_.push_back(&kind);
    if (!walking_) walkNext();
}

void FolderSizer::walkNext() {
    while (!walking_ && !waiting_.empty()) {
        const Kind& kind = *waiting_.front();
        waiting_.pop_front();
        const std::string folder = app_.main.BLOCKCHAIN_HOME_TEXTBOX.text();
        if (folder.empty()) {
            write(kind, folder, {});
            continue;
        }
        walking_ = &kind;
        measurement_ = app_.platform.folderMeasurer.measure(folder, [this, folder](FolderWalk size) {
            const Kind& walked = *walking_;
            walking_ = nullptr;
            measurement_.reset();
            write(walked, folder, size);
            walkNext();
        });
    }
}

void FolderSizer::write(const Kind& kind, const std::string& folder, const FolderWalk& size) {
    const std::optional<std::uint64_t>& bytes = size.bytes;
    kind.size->bytes = bytes;
    if (bytes) {
        const auto lines = sizeLadder(*bytes, app_.platform.environment.numberSeparators());
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) joined += app_.profile().lineEnd();
            joined += lines[i];
        }
        // A part of the chain left out is said with the figure it spoils.
        if (!size.unread.empty()) {
            std::string unread;
            for (const std::string& sub : size.unread) unread += (unread.empty() ? "" : ", ") + sub;
            joined += app_.profile().lineEnd() + notCounted + unread + " !!!";
        }
        kind.size->shown = joined;
    } else {
        kind.size->shown = failureText(app_, folder);
    }
    showRunFacts(app_.main);
    kind.runButton->setEnabled(true);
}

}  // namespace syncward
