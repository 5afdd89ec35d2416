// The probe of issue 25, kept: many hostile values through the windows a
// user works, each case judged by what would really happen to the value,
// not by the rule the program applies.
//  - crontab (item 1): the copy's name, the program's path and a display
//    variable. A refused value writes nothing; an accepted one adds exactly
//    one line, whose command cron (its "%" handling, emulated) hands to the
//    shell (its quoting, for the quotes this program writes) as exactly the
//    variable and the program, tagged with exactly the task's name.
//  - the mailer (item 2): each address, the server, the user, the password
//    and the mailer's folder. A refused value writes and stores nothing; an
//    accepted one gives a command file whose words, read as sendemail reads
//    its arguments (emulated from its source), give every value to its own
//    option, with no option of the value's making.
//  - folders and files (item 4): every folder and file field, at OK and at
//    the close box. Whatever is stored or written is empty or a full path.
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <optional>

#include "core/processes/mail_command_lines.h"
#include "core/scheduler/crontab_table.h"
#include "core/scheduler/scheduled_task_window.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/email_shared_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "support/app_harness.h"

namespace syncward::testing {
namespace {

std::vector<std::string> hostileValues() {
    std::vector<std::string> values = {
        "", " ", "  ", "\t", "\n", "\r", "\r\n", "a\nb", "a\rb", "x\n* * * * * touch /tmp/MARKER #",
        "%", "a%b", "%%", "\\%", "a\\%b", "\\", "a\\", "\\\\%", "\\\\", "'", "a'b", "''", "'\\''", "\"", "a\"b",
        "`id`", "$(id)", "$HOME", "${IFS}", ";", "a;b", "&", "|", "a|b", ">x", "<x", "#", "a # b", "# SYNCWARD - X",
        "-v", "-vv", "-V", "-h", "--help", "-o", "-q", "-", "--", "-x -y", " -v", "a -v", "a,-v", "a;-v", "0", "00",
        "-0", "0 ", "~", "~/x", "relhome", "-home", " /x", "/x ", "/", "//", "/a/../b", "/tmp/x y", "/tmp/x'y",
        "/tmp/x%y", "/tmp/x\\%y", "/tmp/-v", "/tmp/\xff", "\xff", "\xfe\xff", "\xc3\x28", "\xed\xa0\x80",
        "\xef\xbf\xbd", "/opt/\xef\xbf\xbd", "\xc0\xaf", "\xf4\x90\x80\x80", "\xe2\x82", "\xc3\xa9", "\xe6\x97\xa5",
        "\xf0\x9f\x99\x82", "\xc2\xa0", "\xe2\x80\xa8", "\xe2\x80\x8b", "\x7f", "\x01", "\x1b[31m", "*", "* * * * *",
        "@reboot", "MAILTO=x", "x=y", "\\n", "\\t", "a b c", "SYNCWARD - X"};
    values.push_back(std::string("a\0b", 3));
    values.push_back(std::string(5000, 'A'));
    values.push_back("/" + std::string(5000, 'a'));
    values.push_back(std::string(300, '%'));
    values.push_back(std::string(300, '\''));
    return values;
}

// ---- what cron and the shell make of a line ----

// Cron's own pass over the command: "\%" is a "%", the first other "%"
// ends the command (the rest goes to the standard input).
std::string cronCommand(const std::string& command, bool& cut) {
    std::string out;
    bool escaped = false;
    cut = false;
    for (char c : command) {
        if (escaped) {
            if (c == '%')
                out.back() = '%';
            else
                out += c;
            escaped = false;
            continue;
        }
        if (c == '\\') {
            out += c;
            escaped = true;
            continue;
        }
        if (c == '%') {
            cut = true;
            break;
        }
        out += c;
    }
    return out;
}

// The shell's words of a command as this program writes them: blanks
// between words, '...' quoting, \x outside quotes, "|" between commands,
// "#" starting a comment. A character the shell would act on outside
// quotes makes the command unsafe; so does a quote left open.
struct ShellWords {
    std::vector<std::vector<std::string>> commands{{}};
    std::optional<std::string> comment;
    bool unsafe = false;
};

ShellWords shellWords(const std::string& text) {
    ShellWords words;
    if (text.find('\0') != std::string::npos) words.unsafe = true;  // no shell passes a NUL on
    std::size_t i = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (i < text.size()) {
        if (blank(text[i])) {
            ++i;
            continue;
        }
        if (text[i] == '#') {
            words.comment = text.substr(i + 1);
            break;
        }
        if (text[i] == '|') {
            words.commands.emplace_back();
            ++i;
            continue;
        }
        std::string word;
        while (i < text.size() && !blank(text[i]) && text[i] != '|') {
            const char c = text[i];
            if (c == '\'') {
                const std::size_t close = text.find('\'', i + 1);
                if (close == std::string::npos) {
                    words.unsafe = true;
                    return words;
                }
                word += text.substr(i + 1, close - i - 1);
                i = close + 1;
            } else if (c == '\\') {
                if (i + 1 >= text.size()) {
                    words.unsafe = true;
                    return words;
                }
                word += text[i + 1];
                i += 2;
            } else {
                if (std::string("\"`$;&<>(){}*?[~\n\r").find(c) != std::string::npos) words.unsafe = true;
                word += c;
                ++i;
            }
        }
        words.commands.back().push_back(word);
    }
    return words;
}

std::vector<std::string> linesOf(const std::string& table) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < table.size()) {
        std::size_t end = table.find('\n', from);
        if (end == std::string::npos) end = table.size();
        lines.push_back(table.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

// ---- what sendemail makes of its arguments ----

// Perl's truth: "" and "0" are false.
bool perlTrue(const std::vector<std::string>& args, std::size_t i) {
    return i < args.size() && !args[i].empty() && args[i] != "0";
}

struct MailerReading {
    std::string from, server, user, logFile;
    std::vector<std::string> to, cc, bcc, attachments, options;
    std::string subject, message;
    int debug = 0;
    int warnings = 0;  // a value missing or malformed: the mailer goes on
    int unknown = 0;   // an unknown option or help: the mailer stops
};

void pushSplit(std::vector<std::string>& list, const std::string& value) {
    if (value.find_first_of(";,") == std::string::npos) {
        list.push_back(value);
        return;
    }
    // Perl's split drops trailing empty fields.
    std::vector<std::string> parts;
    std::string part;
    for (char c : value) {
        if (c == ';' || c == ',') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    while (!parts.empty() && parts.back().empty()) parts.pop_back();
    list.insert(list.end(), parts.begin(), parts.end());
}

MailerReading readAsSendemail(const std::vector<std::string>& args) {
    MailerReading r;
    const auto starts = [&](std::size_t i) { return args[i].starts_with('-'); };
    const auto single = [&](std::size_t& i, std::string& into) {
        ++i;
        if (perlTrue(args, i) && !starts(i)) {
            into = args[i];
        } else {
            ++r.warnings;
            --i;
        }
    };
    const auto list = [&](std::size_t& i, std::vector<std::string>& into) {
        ++i;
        while (perlTrue(args, i) && !starts(i)) pushSplit(into, args[i++]);
        --i;
    };
    const auto joined = [&](std::size_t& i, std::string& into) {
        ++i;
        into.clear();
        while (perlTrue(args, i) && !starts(i)) into += (into.empty() ? "" : " ") + args[i++];
        --i;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-h" || a == "-H" || a.starts_with("--help")) {
            ++r.unknown;
            break;
        }
        if (a.empty()) continue;
        if (a == "-o" || a == "-O") {
            ++i;
            while (perlTrue(args, i) && !starts(i)) {
                const std::string& pair = args[i];
                const std::size_t equals = pair.find('=');
                if (equals == std::string::npos || equals == 0 || equals + 1 >= pair.size() ||
                    pair[equals + 1] == ' ' || pair.substr(0, equals).find(' ') != std::string::npos)
                    ++r.warnings;
                else
                    r.options.push_back(pair);
                ++i;
            }
            --i;
        } else if (a == "-f") {
            single(i, r.from);
        } else if (a == "-t") {
            list(i, r.to);
        } else if (a == "-cc") {
            list(i, r.cc);
        } else if (a == "-bcc") {
            list(i, r.bcc);
        } else if (a == "-m") {
            joined(i, r.message);
        } else if (a == "-u") {
            joined(i, r.subject);
        } else if (a == "-s") {
            single(i, r.server);
        } else if (a == "-a") {
            list(i, r.attachments);
        } else if (a == "-xu") {
            single(i, r.user);
        } else if (a == "-l") {
            single(i, r.logFile);
        } else if (a.size() >= 2 && a[0] == '-' && (a[1] == 'v' || a[1] == 'V')) {
            ++r.debug;
        } else if (a == "-q") {
        } else {
            ++r.unknown;
            break;
        }
    }
    return r;
}

// ---- the cases ----

struct Probe {
    int cases = 0;
    std::vector<std::string> failures;
    void fail(const std::string& what, const std::string& value) {
        std::string shown;
        for (unsigned char c : value.substr(0, 60))
            shown += c >= 0x20 && c < 0x7f ? std::string(1, static_cast<char>(c)) : "\\x" + std::to_string(c);
        failures.push_back(what + " [" + shown + "]");
    }
};

// The scheduler's Create with the name, the path or a display variable
// hostile; then Disable and Delete, which must leave the table as it was.
void crontabCase(Probe& probe, const std::string& target, const std::string& value) {
    ++probe.cases;
    AppHarness h(PlatformProfile::posix("/home/satoshi"));
    h.store("SYNCWARD_HOME_TEXTBOX", "/home/satoshi/R");
    for (const char* sub : {"BATS", "BLOCKCOUNTS", "CONFIGS", "LOGS", "REPORTS"})
        h.fake.files.folders.insert(std::string("/home/satoshi/R/") + sub);
    const std::string others = "MAILTO=\"\"\n# keep me\n17 3 * * 1 /usr/bin/true # SYNCWARD - LTC\n";
    h.fake.crontab.table = others;
    std::string name = "LTC1", path = "/home/satoshi/.local/bin/LTC1";
    std::vector<std::pair<std::string, std::string>> environment = {{"DISPLAY", ":0"}};
    if (target == "name") {
        name = value;
        path = "/home/satoshi/.local/bin/" + value;
    } else if (target == "path") {
        path = value;
    } else {
        environment[0].second = value;
    }
    h.fake.environment.exeName = name;
    h.fake.crontab.programToRun = {path, environment};
    h.start();
    h.app->settingsWindows().mainSettings().SCHEDULER_BUTTON.click();
    ScheduledTaskWindow& w = h.app->settingsWindows().scheduledTask();
    w.SELECT_ALL_DAYS_TICKBOX.setTicked(true);
    w.CREATE_TASK_BUTTON.click();
    const std::string taskName = "SYNCWARD - " + name;
    const std::string& table = h.fake.crontab.table.value_or("");
    if (!w.SCHEDULER_STATUS_LABEL.caption().starts_with("!!! TASK CREATED")) {
        if (h.fake.crontab.writes != 0 || table != others) probe.fail("crontab " + target + ": refused but written", value);
        if (w.SCHEDULER_STATUS_LABEL.background() != colours::red) probe.fail("crontab " + target + ": not red", value);
        return;
    }
    // Two new lines: the weekly start and the boot line that catches up.
    const std::vector<std::string> lines = linesOf(table);
    if (lines.size() != linesOf(others).size() + 2 || !table.starts_with(others)) {
        probe.fail("crontab " + target + ": not exactly two new lines", value);
        return;
    }
    const std::pair<std::string, std::vector<std::string>> written[] = {
        {"0 0 * * * ", {"DISPLAY=" + environment[0].second, path}}, {"@reboot ", {path, "--catch-up"}}};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string& line = lines[lines.size() - 2 + i];
        const auto& [start, expected] = written[i];
        if (!line.starts_with(start)) {
            probe.fail("crontab " + target + ": the line starts otherwise", value);
            return;
        }
        bool cut = false;
        const ShellWords words = shellWords(cronCommand(line.substr(start.size()), cut));
        if (cut || words.unsafe || words.commands.size() != 1 || words.commands[0] != expected)
            probe.fail("crontab " + target + ": the shell would run something else", value);
        if (words.comment != " " + taskName) probe.fail("crontab " + target + ": the tag is not the task's name", value);
    }
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(false);
    w.ENABLE_SCHED_TASK_TICKBOX.setTicked(true);
    w.ENABLE_DELETE_BUTTON_TICKBOX.setTicked(true);
    w.DELETE_TASK_BUTTON.click();
    if (h.fake.crontab.table != others) probe.fail("crontab " + target + ": disable, enable, delete left a trace", value);
}

using MailField = TextBox EmailSettingsForm::*;

// The e-mail OK with one hostile field; the start and end command files
// read back as the shell and the mailer read them.
void mailCase(Probe& probe, const std::string& label, MailField field, const std::string& value) {
    ++probe.cases;
    AppHarness h(PlatformProfile::posix("/home/sat"));
    h.store("SYNCWARD_HOME_TEXTBOX", "/home/sat/R");
    for (const char* sub : {"BATS", "BLOCKCOUNTS", "CONFIGS", "LOGS", "REPORTS"})
        h.fake.files.folders.insert(std::string("/home/sat/R/") + sub);  // as CREATE FOLDERS leaves them
    h.store("CRYPTO_NAME_TEXTBOX", "LTC");
    h.start();
    h.main().SETTINGS_BUTTON.click();
    h.app->settingsWindows().mainSettings().SE_SETTINGS_BUTTON.click();
    EmailMainSettingsWindow& w = h.app->settingsWindows().emailSettings();
    w.SE_HOME_TEXTBOX.setText("/usr/bin");
    w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText("127.0.0.1:2525");
    w.SMTP_USERNAME_TEXTBOX.setText("me");
    w.SMTP_PASSWORD_TEXTBOX.setText("pw");
    w.SEND_FROM_ADDRESS_TEXTBOX.setText("node@example.org");
    w.SEND_TO_ADDRESS_TEXTBOX.setText("me@example.org");
    w.SEND_CC_ADDRESS_TEXTBOX.setText("cc@example.org");
    w.SEND_BCC_ADDRESS_TEXTBOX.setText("");
    w.REPORT_AS_ATTACHMENT_TICKBOX.setValue(1);
    (w.*field).setText(value);
    h.fake.store.clearLog();
    w.OK_BUTTON.click();
    const std::string startFile = "/home/sat/R/BATS/BTC1-START-EMAIL.sh";
    const std::string endFile = "/home/sat/R/BATS/BTC1-END-REPORT-EMAIL.sh";
    if (w.isOpen()) {
        if (h.fake.files.files.count(startFile) || h.fake.files.files.count(endFile))
            probe.fail("mail " + label + ": refused but written", value);
        if (!h.fake.store.savedKeys("BTC1").empty()) probe.fail("mail " + label + ": refused but stored", value);
        if (w.MESSAGE_STATUS_TEXTBOX.background() != colours::red) probe.fail("mail " + label + ": not red", value);
        return;
    }
    for (const std::string& file : {startFile, endFile}) {
        const std::string text = h.fake.files.files.count(file) ? h.fake.files.files.at(file) : "";
        if (!text.ends_with("\n") || text.find('\n') != text.size() - 1) {
            probe.fail("mail " + label + ": not one line", value);
            continue;
        }
        const ShellWords words = shellWords(text.substr(0, text.size() - 1));
        if (words.unsafe || words.comment || words.commands.size() != 2 || words.commands[0].size() != 3 ||
            words.commands[1].size() < 2 || words.commands[1][0] != "exec") {
            probe.fail("mail " + label + ": the shell would run something else", value);
            continue;
        }
        if (words.commands[0] != std::vector<std::string>{"printf", "%s\\n", w.SMTP_PASSWORD_TEXTBOX.text()})
            probe.fail("mail " + label + ": the password is not handed on whole", value);
        const std::string mailer = w.SE_HOME_TEXTBOX.text() + "/sendemail";
        if (words.commands[1][1] != mailer) probe.fail("mail " + label + ": another mailer runs", value);
        if (!mailer.starts_with('/')) probe.fail("mail " + label + ": the mailer is not a full path", value);
        const std::vector<std::string> args(words.commands[1].begin() + 2, words.commands[1].end());
        const MailerReading read = readAsSendemail(args);
        // What the mailer should have read: each field's own value.
        MailerReading want;
        const auto valueOr = [](const std::string& v) { return perlTrue({v}, 0) ? v : std::string(); };
        want.from = valueOr(w.SEND_FROM_ADDRESS_TEXTBOX.text());
        if (perlTrue({w.SEND_TO_ADDRESS_TEXTBOX.text()}, 0)) pushSplit(want.to, w.SEND_TO_ADDRESS_TEXTBOX.text());
        if (perlTrue({w.SEND_CC_ADDRESS_TEXTBOX.text()}, 0)) pushSplit(want.cc, w.SEND_CC_ADDRESS_TEXTBOX.text());
        if (perlTrue({w.SEND_BCC_ADDRESS_TEXTBOX.text()}, 0)) pushSplit(want.bcc, w.SEND_BCC_ADDRESS_TEXTBOX.text());
        want.server = valueOr(w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text());
        want.user = valueOr(w.SMTP_USERNAME_TEXTBOX.text());
        const bool sameValues = read.from == want.from && read.to == want.to && read.cc == want.cc &&
                                read.bcc == want.bcc && read.server == want.server && read.user == want.user &&
                                read.logFile == "/home/sat/R/LOGS/BTC1-SEND-EMAIL.LOG";
        if (read.debug != 0) probe.fail("mail " + label + ": the mailer's debug log is on", value);
        if (read.unknown != 0) probe.fail("mail " + label + ": the mailer stops at an option it does not know", value);
        if (!sameValues) probe.fail("mail " + label + ": a value went to another option", value);
    }
}

// A folder or file field with the hostile value, through OK (or Save) and
// the close box: whatever is stored or written names a full path.
void folderCase(Probe& probe, const std::string& target, const std::string& value) {
    ++probe.cases;
    AppHarness h(PlatformProfile::posix("/home/sat"));
    h.store("SYNCWARD_HOME_TEXTBOX", "/home/sat/R");
    for (const char* sub : {"BATS", "BLOCKCOUNTS", "CONFIGS", "LOGS", "REPORTS"})
        h.fake.files.folders.insert(std::string("/home/sat/R/") + sub);  // as CREATE FOLDERS leaves them
    if (target == "stored conf") {
        h.store("USE_OWN_CONF_TICKBOX", "1");
        h.store("CONF_FILE_LOCATION_TEXTBOX", value);
    }
    h.start();
    const auto full = [](const std::string& v) { return v.empty() || v.starts_with('/'); };
    const auto check = [&](const std::string& key) {
        const auto stored = h.stored(key);
        if (stored && !full(*stored)) probe.fail(target + ": " + key + " stored relative", value);
    };
    h.main().SETTINGS_BUTTON.click();
    MainSettingsWindow& settings = h.app->settingsWindows().mainSettings();
    if (target == "home" || target == "own conf") {
        if (target == "home") {
            settings.SYNCWARD_HOME_TEXTBOX.setText(value);
        } else {
            settings.USE_OWN_CONF_TICKBOX.setValue(1);
            settings.CONF_FILE_LOCATION_TEXTBOX.setText(value);
        }
        h.fake.store.clearLog();
        settings.OK_BUTTON.click();
        if (settings.isOpen() && !h.fake.store.savedKeys("BTC1").empty())
            probe.fail(target + ": a refused OK stored", value);
        if (!full(h.main().SYNCWARD_HOME_TEXTBOX.text()) || !full(h.main().CONF_FILE_LOCATION_TEXTBOX.text()))
            probe.fail(target + ": the main window took a relative path", value);
        if (settings.isOpen()) settings.close();
        check("SYNCWARD_HOME_TEXTBOX");
        check("CONF_FILE_LOCATION_TEXTBOX");
        return;
    }
    if (target == "mailer folder" || target == "shared mailer folder") {
        settings.SE_SETTINGS_BUTTON.click();
        EmailMainSettingsWindow& mail = h.app->settingsWindows().emailSettings();
        EmailSettingsForm* form = &mail;
        if (target == "shared mailer folder") {
            mail.SHARED_SETTINGS_BUTTON.click();
            form = &h.app->settingsWindows().emailSharedSettings();
        }
        form->SE_HOME_TEXTBOX.setText(value);
        const int writes = h.fake.files.writes;
        if (auto* shared = dynamic_cast<EmailSharedSettingsWindow*>(form)) {
            shared->OK_BUTTON.click();
            if (shared->isOpen()) shared->close();
            const auto stored = h.fake.store.stored(sharedEmailSection, "SE_HOME_TEXTBOX");
            if (stored && !full(*stored)) probe.fail(target + ": stored relative", value);
            return;
        }
        mail.OK_BUTTON.click();
        if (mail.isOpen() && h.fake.files.writes != writes) probe.fail(target + ": a refused OK wrote", value);
        if (mail.isOpen()) mail.close();
        check("SE_HOME_TEXTBOX");
        if (!full(h.main().SE_HOME_TEXTBOX.text())) probe.fail(target + ": the main window took a relative path", value);
        for (const auto& [path, text] : h.fake.files.files)
            if (text.find("exec '/") == std::string::npos) probe.fail(target + ": a mailer that is not a full path", value);
        return;
    }
    // The crypto settings' folders, and a configuration file stored earlier.
    settings.CRYPTO_SETTINGS_BUTTON.click();
    CryptoSettingsWindow& crypto = h.app->settingsWindows().cryptoSettings();
    crypto.DAEMON_CLI_LOCATION_TEXTBOX.setText("/usr/bin");
    crypto.DAEMOND_NAME_TEXTBOX.setText("litecoind");
    crypto.QT_NAME_TEXTBOX.setText("litecoin-qt");
    crypto.QT_LOCATION_TEXTBOX.setText("/usr/bin");
    if (target == "qt folder") crypto.QT_LOCATION_TEXTBOX.setText(value);
    if (target == "daemon folder") crypto.DAEMON_CLI_LOCATION_TEXTBOX.setText(value);
    if (target == "blockchain folder") crypto.BLOCKCHAIN_HOME_TEXTBOX.setText(value);
    const int writes = h.fake.files.writes;
    crypto.SAVE_BUTTON.click();
    const bool saved = crypto.MESSAGE_STATUS_TEXTBOX.text() == crypto_texts::cryptoSettingsSaved;
    if (!saved && h.fake.files.writes != writes) probe.fail(target + ": a refused Save wrote", value);
    if (saved) {
        for (const char* key : {"QT_LOCATION_TEXTBOX", "DAEMON_CLI_LOCATION_TEXTBOX", "BLOCKCHAIN_HOME_TEXTBOX"})
            check(key);
        if (!full(crypto.CONF_FILE_LOCATION_TEXTBOX.text())) probe.fail(target + ": saved with a relative -conf", value);
    }
}

TEST(HostileProbe, EveryHostileValueIsRefusedOrCarriedExactly) {
    const std::vector<std::string> values = hostileValues();
    Probe crontab, mail, folders;
    for (const std::string& value : values)
        for (const char* target : {"name", "path", "display"}) crontabCase(crontab, target, value);
    const std::pair<const char*, MailField> mailFields[] = {
        {"from", &EmailSettingsForm::SEND_FROM_ADDRESS_TEXTBOX},
        {"to", &EmailSettingsForm::SEND_TO_ADDRESS_TEXTBOX},
        {"cc", &EmailSettingsForm::SEND_CC_ADDRESS_TEXTBOX},
        {"bcc", &EmailSettingsForm::SEND_BCC_ADDRESS_TEXTBOX},
        {"server", &EmailSettingsForm::SMTP_SERVER_ADDRESS_PORT_TEXTBOX},
        {"user", &EmailSettingsForm::SMTP_USERNAME_TEXTBOX},
        {"password", &EmailSettingsForm::SMTP_PASSWORD_TEXTBOX},
        {"mailer folder", &EmailSettingsForm::SE_HOME_TEXTBOX},
    };
    for (const std::string& value : values)
        for (const auto& [label, field] : mailFields) mailCase(mail, label, field, value);
    for (const std::string& value : values)
        for (const char* target : {"home", "own conf", "stored conf", "mailer folder", "shared mailer folder",
                                   "qt folder", "daemon folder", "blockchain folder"})
            folderCase(folders, target, value);

    std::cout << "[ PROBE    ] " << values.size() << " hostile values: crontab " << crontab.cases << " cases, "
              << crontab.failures.size() << " failures; mailer " << mail.cases << " cases, " << mail.failures.size()
              << " failures; folders and files " << folders.cases << " cases, " << folders.failures.size()
              << " failures; " << crontab.cases + mail.cases + folders.cases << " cases in all\n";
    ::testing::Test::RecordProperty("cases", crontab.cases + mail.cases + folders.cases);
    EXPECT_EQ(crontab.failures, std::vector<std::string>{});
    EXPECT_EQ(mail.failures, std::vector<std::string>{});
    EXPECT_EQ(folders.failures, std::vector<std::string>{});
}

// The emulations judge the program only if they are right about what they
// stand for; these are the behaviours the probe rests on, each seen with
// the real programs (the platform tests run sendemail on the same values).
TEST(HostileProbe, TheEmulatedCronShellAndMailerReadWhatTheRealOnesRead) {
    bool cut = false;
    EXPECT_EQ(cronCommand("a\\%b", cut), "a%b");
    EXPECT_FALSE(cut);
    EXPECT_EQ(cronCommand("a\\\\%b", cut), "a\\\\");
    EXPECT_TRUE(cut);
    EXPECT_EQ(cronCommand("'x' # a%b", cut), "'x' # a");
    EXPECT_TRUE(cut);

    const ShellWords words = shellWords("X=':0' 'a b'\\''c' # tag");
    EXPECT_EQ(words.commands[0], (std::vector<std::string>{"X=:0", "a b'c"}));
    EXPECT_EQ(words.comment, " tag");
    EXPECT_FALSE(words.unsafe);
    EXPECT_TRUE(shellWords("'a' $(id)").unsafe);
    EXPECT_TRUE(shellWords("'a").unsafe);

    const MailerReading ok = readAsSendemail({"-f", "a@b", "-t", "c@d,e@f", "-cc", "", "-xu", "u", "-q"});
    EXPECT_EQ(ok.from, "a@b");
    EXPECT_EQ(ok.to, (std::vector<std::string>{"c@d", "e@f"}));
    EXPECT_TRUE(ok.cc.empty());
    EXPECT_EQ(ok.warnings + ok.unknown, 0);
    EXPECT_EQ(readAsSendemail({"-cc", "-v"}).debug, 1);
    EXPECT_EQ(readAsSendemail({"-f", "-v"}).warnings, 1);
    EXPECT_EQ(readAsSendemail({"-t", "0"}).unknown, 1);
    EXPECT_EQ(readAsSendemail({"-t", " -v"}).to, std::vector<std::string>{" -v"});
}

}  // namespace
}  // namespace syncward::testing
