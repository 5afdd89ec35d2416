#pragma once

#include <string>

namespace syncward::testing {

class ProgramRun;

// The password the mail tests' copies store and their sink wants: blanks,
// quotes and shell characters that must reach the server unchanged.
inline constexpr const char* password = "pa ss$'`x";

struct MailSetup {
    std::string mailerFolder = "/usr/bin";
    int port = 0;
    bool attach = true;
};

// The two mail command files and their settings, as the e-mail settings'
// OK writes and stores them: the program's own windows, on the copy's
// settings file and home folder, filled and OK'd as a user would, for a
// server on 127.0.0.1 and the port given, with user "nodeuser" and the
// password above. Both mails, autostart and autoclose ticked.
void configureMail(ProgramRun& program, const MailSetup& setup);

}  // namespace syncward::testing
