#include "core/info/info_texts.h"

#include "core/platform/platform_profile.h"

namespace syncward::info_texts {

namespace {

bool isWindows(const PlatformProfile& profile) { return profile.flavour() == PlatformProfile::Flavour::Windows; }

}  // namespace

std::string donationAddressPlaceholder(const std::string& coin) {
    return "(" + coin + " DONATION ADDRESS TO BE ANNOUNCED)";
}

std::string familyTools() {
    return "SYNCWARD MERGES THE WORK OF EARLIER QUORVEL TOOLS:\n"
           "- THE NODE MULTILOADER (START, BLOCKCOUNTER, STOP, END REPORT)\n"
           "- KITT \"Num-Lock\" HEARTBEAT (KEEP-AWAKE)\n"
           "- THE PROCESS TERMINATOR\n"
           "- THE CRYPTO \".CONF\" FILE MANAGER\n"
           "- THE FOLDER SIZER";
}

std::string dedications(const PlatformProfile& profile) {
    return "!!! " + profile.mailerName() +
           " - AWESOME !!!\n"
           "K.I.T.T. - KITT \"Num-Lock\" HeartBeat\n"
           "THE DEVELOPERS OF EVERY OPEN CRYPTO-CURRENCY NODE\n"
           "EVERYONE WHO KEEPS A FULL NODE RUNNING";
}

std::string settingsLocationLabel(const PlatformProfile& profile) {
    return isWindows(profile) ? "REGISTRY SETTINGS LOCATION:" : "SETTINGS FILE LOCATION [GROUP]:";
}

std::vector<std::string> helpNotes(const PlatformProfile& profile) {
    const std::string noSpaces = "WHERE POSSIBLE, PLEASE USE FILE / FOLDER NAMES THAT DON'T HAVE SPACES IN THEM.";
    const std::string testProcess =
        "USE \"QV-TEST-PROCESS\" IF YOU WANT TO EMULATE A PROCESS RUNNING WITHOUT ACTUALLY RUNNING THE REAL "
        "PROCESS / APP.";
    if (isWindows(profile))
        return {"FOR MULTIPLE CONFIGURATIONS, COPY \".exe\" FILE TO A NEW FILENAME, RUN, AND CONFIGURE",
                "ALL SYNCWARD \".exe\" FILES CAN BE SAVED IN THE SAME \"SYNCWARD\" FOLDER AND USE THE SAME FOLDERS "
                "CREATED  BY THE FIRST FULLY CONFIGURED SYNCWARD APP.",
                noSpaces,
                "IF USING \"WINDOWS \"SLEEP\" POWER-SAVE\" FEATURE, RUN KITT \"Num-Lock\" HEARTBEAT TO KEEP YOUR PC "
                "AWAKE / STOP YOUR PC FROM SLEEPING.",
                testProcess};
    return {"FOR MULTIPLE CONFIGURATIONS, LINK (ln -s) OR COPY THE PROGRAM TO A NEW FILENAME, RUN, AND CONFIGURE",
            "ALL SYNCWARD LINKS AND COPIES CAN BE SAVED IN THE SAME FOLDER (FOR EXAMPLE ~/.local/bin) AND USE THE "
            "SAME FOLDERS CREATED  BY THE FIRST FULLY CONFIGURED SYNCWARD APP.",
            noSpaces,
            "IF USING THE DESKTOP'S \"SUSPEND\" POWER-SAVE FEATURE, RUN KITT \"Num-Lock\" HEARTBEAT TO KEEP YOUR PC "
            "AWAKE / STOP YOUR PC FROM SLEEPING.",
            testProcess};
}

}  // namespace syncward::info_texts
