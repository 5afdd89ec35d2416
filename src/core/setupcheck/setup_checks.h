#pragma once

#include <optional>
#include <string>

#include "core/platform/platform.h"
#include "core/setupcheck/check_line.h"
#include "core/setupcheck/setup_facts.h"

namespace syncward {

// Every check of a set-up, in the order the window shows them. Checks of
// steps that are not ticked are left out. Nothing is changed, nothing is
// started but the node's client (asking a running node for its chain
// state) and a TCP connection to the mail server, to hear its greeting.
CheckLines checkSetup(const SetupFacts& facts, Platform& platform);

// The groups, each appending its lines.
void checkHomeFolder(const SetupFacts& facts, Platform& platform, CheckLines& out);
void checkCommandFiles(const SetupFacts& facts, Platform& platform, CheckLines& out);
void checkBlockchainFolder(const SetupFacts& facts, Platform& platform, CheckLines& out);
void checkNodePrograms(const SetupFacts& facts, Platform& platform, CheckLines& out);
void checkConfFile(const SetupFacts& facts, Platform& platform, CheckLines& out);
void checkClientReach(const SetupFacts& facts, Platform& platform, CheckLines& out);
void checkRunChoices(const SetupFacts& facts, CheckLines& out);
void checkMail(const SetupFacts& facts, Platform& platform, CheckLines& out);
void checkWeeklyTask(const SetupFacts& facts, Platform& platform, CheckLines& out);
void checkKeepAwakeAndPower(const SetupFacts& facts, Platform& platform, CheckLines& out);

// Where a program that is not where the settings say may be instead: the
// folders the system runs programs from, the coin's package folder
// (/usr/lib/<coin>/), /usr/local/bin and /opt/*/bin. The first executable
// one, if any.
std::optional<std::string> findProgram(Platform& platform, const std::string& name);

}  // namespace syncward
