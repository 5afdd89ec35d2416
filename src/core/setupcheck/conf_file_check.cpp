#include "core/setupcheck/conf_rules.h"
#include "core/setupcheck/setup_check_texts.h"
#include "core/setupcheck/setup_checks.h"

namespace syncward {

namespace texts = setup_check_texts;

void checkConfFile(const SetupFacts& facts, Platform& platform, CheckLines& out) {
    if (!facts.runQt && !facts.runDaemon && !facts.usesClient) return;
    const std::string& conf = facts.node.confFile;
    if (conf.empty()) {
        out.push_back({CheckLevel::Doubtful, texts::noConf, texts::fixNoConf});
        return;
    }
    const std::string named = "\".CONF\" FILE " + conf;
    const PathFacts file = platform.setupProbe.path(conf);
    const TextRead read = platform.files.readText(conf, read_limits::shownInWindow);
    if (!file.exists || read.failure == ReadFailure::missing) {
        out.push_back({CheckLevel::Failing, named + " DOES NOT EXIST", texts::fixConfMissing});
        return;
    }
    if (!read.text) {
        out.push_back({CheckLevel::Failing, named + " CANNOT BE READ", texts::fixConfMissing});
        return;
    }
    bool problem = false;
    if (file.sharedWithOthers && confHoldsPassword(*read.text)) {
        out.push_back({CheckLevel::Doubtful, named + " HOLDS A PASSWORD AND OTHERS MAY READ IT", texts::fixConfShared});
        problem = true;
    }
    for (const ConfProblem& p : confProblems(*read.text)) {
        out.push_back({p.refused ? CheckLevel::Failing : CheckLevel::Doubtful,
                       named + " LINE " + std::to_string(p.lineNumber) + " \"" + p.line + "\"", p.why});
        problem = true;
    }
    if (!problem) out.push_back({CheckLevel::Fine, named, {}});
}

}  // namespace syncward
