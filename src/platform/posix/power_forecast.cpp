#include "platform/posix/power_forecast.h"

#include <grp.h>
#include <pwd.h>

#include <vector>

#include "platform/posix/login1_power.h"

namespace syncward {

namespace {

using Verdict = PowerForecast::Verdict;

constexpr unsigned implicitYes = 5;

std::string groupFact(const PowerFacts& facts) {
    if (!facts.ruleInstalled) return std::string("NO RULE ") + PowerRule::fileName;
    return std::string(facts.inGroup ? "IN GROUP " : "NOT IN GROUP ") + PowerRule::group;
}

// What lets the weekly start act: the packaged rule and the group.
std::string groupFix(const PowerFacts& facts) {
    const std::string add = std::string("ADD THE USER TO THE GROUP ") + PowerRule::group + " (sudo adduser " +
                            facts.user + " " + PowerRule::group + ")";
    if (facts.ruleInstalled) return add;
    return std::string("INSTALL THE PACKAGE'S POLKIT RULE ") + PowerRule::fileName + ", THEN " + add;
}

PowerForecast refused(const PowerFacts& facts, const std::string& basis) {
    return {Verdict::refused, Login1Power::route, basis + "; " + groupFact(facts), groupFix(facts)};
}

}  // namespace

PowerForecast forecastThroughLogin1(const PowerFacts& facts) {
    const std::string route = Login1Power::route;
    if (facts.action == PowerAction::Logoff)
        return {Verdict::allowed, route, "TerminateUser: A USER MAY END THEIR OWN SESSIONS", {}};
    const std::string question = login1Question(facts.action);
    if (!facts.can) return {Verdict::unknown, route, question + ": NO ANSWER", {}};
    const std::string answered = question + ": " + *facts.can;
    if (*facts.can == "na")
        return {Verdict::refused, route, answered + " (NOT SUPPORTED BY THIS COMPUTER)", "CHOOSE ANOTHER POWER ACTION"};
    // Outside a session this process is asked as the weekly start will be.
    if (facts.inSession == false) {
        if (*facts.can == "yes") return {Verdict::allowed, route, answered + " OUTSIDE A SESSION", {}};
        return refused(facts, answered);
    }
    // In a session the answer is the session's; the weekly start has
    // what the rule or the action's "any" authorisation gives.
    if (facts.ruleInstalled && facts.inGroup)
        return {Verdict::allowed, route, answered + " IN THIS SESSION; " + groupFact(facts), {}};
    if (!facts.implicitForAny)
        return {Verdict::unknown, route, answered + " IN THIS SESSION; OUTSIDE ONE UNKNOWN", groupFix(facts)};
    if (*facts.implicitForAny == implicitYes)
        return {Verdict::allowed, route, answered + " IN THIS SESSION; ANY PROCESS ALLOWED", {}};
    return refused(facts, answered + " IN THIS SESSION ONLY");
}

bool userInGroup(const std::string& user, const std::string& group) {
    const passwd* account = ::getpwnam(user.c_str());
    const ::group* wanted = ::getgrnam(group.c_str());
    if (!account || !wanted) return false;
    const gid_t wantedId = wanted->gr_gid;
    std::vector<gid_t> groups(64);
    int count = static_cast<int>(groups.size());
    if (::getgrouplist(user.c_str(), account->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<std::size_t>(count));
        if (::getgrouplist(user.c_str(), account->pw_gid, groups.data(), &count) < 0) return false;
    }
    groups.resize(static_cast<std::size_t>(count));
    for (gid_t id : groups)
        if (id == wantedId) return true;
    return false;
}

}  // namespace syncward
