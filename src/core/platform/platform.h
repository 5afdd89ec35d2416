#pragma once

#include "core/form/event_loop.h"
#include "core/platform/autostart.h"
#include "core/platform/crontab.h"
#include "core/platform/clipboard.h"
#include "core/platform/dialogs.h"
#include "core/platform/environment.h"
#include "core/platform/file_system.h"
#include "core/platform/folder_measurer.h"
#include "core/platform/launcher.h"
#include "core/platform/lock_keys.h"
#include "core/platform/node_answers.h"
#include "core/platform/platform_profile.h"
#include "core/platform/power_switch.h"
#include "core/platform/process_table.h"
#include "core/platform/settings_store.h"
#include "core/platform/setup_probe.h"
#include "core/platform/sleep_inhibitor.h"
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
    LockKeys& lockKeys;
    SleepInhibitor& sleepInhibitor;
    Crontab& crontab;
    NodeAnswers& nodeAnswers;
    Clipboard& clipboard;
    FolderMeasurer& folderMeasurer;
    Autostart& autostart;
    SetupProbe& setupProbe;
    PowerSwitch& powerSwitch;
};

}  // namespace syncward
