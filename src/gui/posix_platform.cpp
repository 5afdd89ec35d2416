#include "gui/posix_platform.h"

#include <sys/stat.h>

#include "gui/shell/qt_dialogs.h"
#include "gui/shell/qt_event_loop.h"
#include "gui/shell/qt_window_host.h"
#include "platform/posix/posix_environment.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/posix_launcher.h"
#include "platform/posix/proc_process_table.h"
#include "platform/posix/qt_settings_store.h"
#include "platform/posix/threaded_folder_measurer.h"

namespace syncward {

struct PosixPlatform::Parts {
    explicit Parts(const std::string& argv0, QtWindowHost& host)
        : store(QtSettingsStore::defaultFilePath()),
          environment(argv0),
          dialogs(host),
          profile(PlatformProfile::posix(PosixEnvironment::homeDirectory())) {}

    QtSettingsStore store;
    ProcProcessTable processes;
    PosixLauncher launcher;
    PosixFileSystem files;
    PosixEnvironment environment;
    QtDialogs dialogs;
    QtEventLoop loop;
    PlatformProfile profile;
    ThreadedFolderMeasurer folderMeasurer{loop};
};

PosixPlatform::PosixPlatform(const std::string& argv0) : windowHost_(std::make_unique<QtWindowHost>()) {
    parts_ = std::make_unique<Parts>(argv0, *windowHost_);
    platform_ = std::make_unique<Platform>(Platform{parts_->store, parts_->processes, parts_->launcher, parts_->files,
                                                    parts_->environment, parts_->dialogs, *windowHost_, parts_->loop,
                                                    parts_->profile, parts_->folderMeasurer});
}

PosixPlatform::~PosixPlatform() = default;

void PosixPlatform::keepCreatedFilesPrivate() { PosixLauncher::rememberUserMask(::umask(077)); }

}  // namespace syncward
