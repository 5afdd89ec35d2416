#pragma once

#include "core/processes/command_file.h"

namespace syncward {

struct AppContext;

// Starts one of the two mail command files. When the mailer program is not
// where the settings put it, or the command file cannot be started, no
// mail goes out: the status line says so, and so does a line added to the
// mailer's log, where the user looks for how the mails went. False then.
bool startMail(AppContext& app, CommandFile file);

}  // namespace syncward
