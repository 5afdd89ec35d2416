// Keeps the source tree's dependencies one-way: every #include between two
// folders under src/ is an edge of the table below and every edge of the
// table is in use, the table has no loop, the core uses nothing but the C++
// standard library and itself, and the system's headers stay in the
// platform layer and the composition folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Folder -> the folders it includes, bottom to top: exactly the edges in
// use, so a new edge is a decision taken here and an edge no longer used is
// taken out.
const std::map<std::string, std::set<std::string>> allowedEdges = {
    {"core/form", {}},
    {"core/time", {}},
    {"core/coins", {}},
    {"core/platform", {"core/form"}},
    {"core/state", {"core/form", "core/time", "core/platform"}},
    {"core/processes", {"core/form", "core/platform", "core/state"}},
    {"core/keepawake", {"core/time", "core/state"}},
    {"core/foldersize", {"core/form", "core/platform", "core/state"}},
    {"core/power", {"core/form", "core/time", "core/platform", "core/state"}},
    {"core/info", {"core/form", "core/platform", "core/state"}},
    {"core/blockcounter", {"core/form", "core/time", "core/platform", "core/state", "core/processes", "core/coins"}},
    {"core/scheduler", {"core/form", "core/time", "core/state"}},
    {"core/settings",
     {"core/form", "core/time", "core/platform", "core/state", "core/processes", "core/power", "core/scheduler"}},
    {"core/confgen", {"core/form", "core/time", "core/state", "core/settings", "core/coins"}},
    {"core/reports", {"core/form", "core/time", "core/platform", "core/state", "core/settings"}},
    {"core/setupcheck",
     {"core/form", "core/platform", "core/state", "core/processes", "core/power", "core/blockcounter",
      "core/scheduler", "core/settings"}},
    {"core/run",
     {"core/time", "core/platform", "core/state", "core/processes", "core/keepawake", "core/foldersize", "core/power",
      "core/blockcounter", "core/settings", "core/confgen", "core/reports", "core/info", "core/scheduler",
      "core/setupcheck"}},
    {"platform/posix", {"core/form", "core/platform"}},  // the power switch answers through the loop
    {"platform/win32", {"core/platform"}},
    {"platform/qt", {"core/platform"}},
    {"gui/shell", {"core/form", "core/platform"}},
    {"gui/main_window", {"gui/shell", "core/state"}},
    {"gui/power", {"gui/shell", "core/power"}},
    {"gui/settings", {"gui/shell", "core/settings"}},
    {"gui/confgen", {"gui/shell", "core/confgen"}},
    {"gui/scheduler", {"gui/shell", "core/scheduler"}},
    {"gui/processes", {"gui/shell", "core/processes"}},
    {"gui/reports", {"gui/shell", "core/reports", "core/time"}},
    {"gui/info", {"gui/shell", "core/info"}},
    {"gui/setupcheck", {"gui/shell", "core/setupcheck"}},
    {"gui",
     {"gui/shell", "gui/main_window", "gui/power", "gui/settings", "gui/confgen", "gui/scheduler", "gui/processes",
      "gui/reports", "gui/info", "gui/setupcheck", "core/state", "core/power", "core/settings", "core/confgen",
      "core/scheduler", "core/processes", "core/reports", "core/info", "core/setupcheck"}},
    // The composition: the real platform under the views, and main().
    {"app",
     {"gui", "gui/shell", "platform/posix", "platform/qt", "platform/win32", "core/run", "core/platform",
      "core/foldersize", "core/setupcheck"}},
};

// Only these folders talk to the operating system (or a windowing library
// below Qt) directly.
bool mayUseSystemHeaders(const std::string& folder) { return folder.starts_with("platform/") || folder == "app"; }

const std::set<std::string> standardHeaders = {
    "algorithm", "any", "array", "atomic", "bit", "bitset", "cassert", "cctype", "cerrno", "cfloat", "charconv",
    "chrono", "cinttypes", "climits", "cmath", "compare", "concepts", "cstddef", "cstdint", "cstdio", "cstdlib",
    "cstring", "ctime", "deque", "exception", "filesystem", "format", "functional", "initializer_list", "iomanip",
    "ios", "iosfwd", "iostream", "istream", "iterator", "limits", "list", "map", "memory", "mutex", "numeric",
    "optional", "ostream", "random", "ranges", "ratio", "regex", "set", "span", "sstream", "stdexcept",
    "string", "string_view", "system_error", "thread", "tuple", "type_traits", "typeinfo", "unordered_map",
    "unordered_set", "utility", "variant", "vector"};

struct Include {
    std::string file;  // relative to src/
    int line;
    std::string target;
    bool angled;
};

std::vector<Include> includesUnder(const fs::path& src) {
    static const std::regex directive(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        if (!entry.is_regular_file()) continue;
        const auto extension = entry.path().extension();
        if (extension != ".h" && extension != ".cpp") continue;
        std::ifstream in(entry.path());
        std::string text;
        for (int line = 1; std::getline(in, text); ++line) {
            std::smatch match;
            if (std::regex_search(text, match, directive))
                found.push_back({fs::relative(entry.path(), src).generic_string(), line, match[2], match[1] == "<"});
        }
    }
    return found;
}

// "core/run/x.h" -> "core/run"; "gui/views.h" -> "gui"; "gui/main_window/y.h" -> "gui/main_window".
std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

bool allowed(const std::string& from, const std::string& to) {
    if (from == to) return true;
    const auto rule = allowedEdges.find(from);
    return rule != allowedEdges.end() && rule->second.count(to);
}

std::string where(const Include& include) {
    return "src/" + include.file + ":" + std::to_string(include.line) + " includes " +
           (include.angled ? "<" + include.target + ">" : "\"" + include.target + "\"");
}

const fs::path sourceRoot{SYNCWARD_SOURCE_DIR};

TEST(IncludeRules, FolderEdgesFollowTheTable) {
    const auto includes = includesUnder(sourceRoot);
    ASSERT_GT(includes.size(), 100u);
    for (const Include& include : includes) {
        if (include.angled) continue;
        const std::string from = folderOf(include.file);
        const std::string to = folderOf(include.target);
        EXPECT_TRUE(allowed(from, to)) << where(include) << ": " << from << " -> " << to << " is not an allowed edge";
    }
}

TEST(IncludeRules, EveryEdgeOfTheTableIsInUse) {
    std::set<std::pair<std::string, std::string>> used;
    for (const Include& include : includesUnder(sourceRoot))
        if (!include.angled) used.insert({folderOf(include.file), folderOf(include.target)});
    for (const auto& [from, targets] : allowedEdges)
        for (const std::string& to : targets)
            EXPECT_TRUE(used.count({from, to})) << from << " -> " << to << " is in the table but no longer used";
}

// The views see Qt and the standard library; the system's own headers stay
// behind the platform layer and the composition.
TEST(IncludeRules, SystemHeadersOnlyInThePlatformAndTheComposition) {
    for (const Include& include : includesUnder(sourceRoot)) {
        const std::string from = folderOf(include.file);
        if (!include.angled || mayUseSystemHeaders(from)) continue;
        const bool qt = include.target.starts_with("Q");
        EXPECT_TRUE(standardHeaders.count(include.target) || (qt && !from.starts_with("core")))
            << where(include) << ": a system header outside src/platform and src/app";
    }
}

TEST(IncludeRules, CoreUsesOnlyTheStandardLibrary) {
    for (const Include& include : includesUnder(sourceRoot / "core")) {
        if (include.angled)
            EXPECT_TRUE(standardHeaders.count(include.target)) << where(include) << ": not a standard header";
        else
            EXPECT_TRUE(include.target.starts_with("core/")) << where(include) << ": outside the core";
    }
}

TEST(IncludeRules, TheTableHasNoLoop) {
    // Depth-first search over the edges.
    std::map<std::string, int> state;  // 0 unseen, 1 on the path, 2 done
    std::function<void(const std::string&, std::vector<std::string>&)> visit = [&](const std::string& folder,
                                                                                 std::vector<std::string>& path) {
        state[folder] = 1;
        path.push_back(folder);
        const auto rule = allowedEdges.find(folder);
        if (rule != allowedEdges.end())
            for (const std::string& next : rule->second) {
                if (state[next] == 1) {
                    std::string loop;
                    for (const auto& step : path) loop += step + " -> ";
                    ADD_FAILURE() << "loop: " << loop << next;
                } else if (state[next] == 0) {
                    visit(next, path);
                }
            }
        path.pop_back();
        state[folder] = 2;
    };
    for (const auto& [folder, edges] : allowedEdges) {
        std::vector<std::string> path;
        if (state[folder] == 0) visit(folder, path);
    }
}

}  // namespace
