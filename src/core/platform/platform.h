#pragma once

#include "core/form/event_loop.h"
#include "core/platform/dialogs.h"
#include "core/platform/environment.h"
#include "core/platform/file_system.h"
#include "core/platform/folder_measurer.h"
#include "core/platform/launcher.h"
#include "core/platform/platform_profile.h"
#include "core/platform/process_table.h"
#include "core/platform/settings_store.h"
#include "core/platform/window_host.h"

namespace syncward {

// Everything the program needs from the system, handed to every model.
struct Platform {
    SettingsStore& store;
    ProcessTable& processes;
    Launcher& launcher;
    FileSystem& files;
    Environment& environment;
    Dialogs& dialogs;
    WindowHost& windows;
    EventLoop& loop;
    const PlatformProfile& profile;
    FolderMeasurer& folderMeasurer;
};

}  // namespace syncward
