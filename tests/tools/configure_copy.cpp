// Sets up one copy of the program in a folder the way the settings windows
// would leave it for an unattended daemon run: its link, home folder and
// settings, and the node command files composed by the program's own
// composer. The demo and the soak use it, so what they show is what the
// program writes.
//
// Two more forms serve a driver that runs the copy again and again:
// --set stores values in the copy's settings file between runs (the way the
// tests' set-up does), and --keys prints every key of the copy's section as
// the program's own settings library reads it, one line a key, failing when
// the file does not parse.
#include <QSettings>
#include <QString>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "e2e/mail_setup.h"
#include "e2e/program_run.h"
#include "platform/posix/qt_settings_store.h"

namespace {

// Where the program keeps its settings when started in this folder, as the
// end-to-end runs start it (XDG_CONFIG_HOME set to its "config").
std::string settingsFileIn(const std::string& folder) {
    return syncward::QtSettingsStore::filePathUnder(QString::fromStdString(folder + "/config")).toStdString();
}

bool splitSetting(const std::string& text, std::string& key, std::string& value) {
    const auto at = text.find('=');
    if (at == std::string::npos || at == 0) return false;
    key = text.substr(0, at);
    value = text.substr(at + 1);
    return true;
}

int storeSettings(const std::string& folder, const std::string& name, const std::vector<std::string>& settings) {
    syncward::QtSettingsStore store(QString::fromStdString(settingsFileIn(folder)));
    for (const std::string& text : settings) {
        std::string key, value;
        if (!splitSetting(text, key, value) || !store.save(name, key, value)) {
            std::fprintf(stderr, "cannot store %s\n", text.c_str());
            return 1;
        }
    }
    return 0;
}

int printKeys(const std::string& folder, const std::string& name) {
    QSettings settings(QString::fromStdString(settingsFileIn(folder)), QSettings::IniFormat);
    settings.beginGroup(QString::fromStdString(name));
    const QStringList keys = settings.allKeys();
    if (settings.status() != QSettings::NoError) {
        std::fprintf(stderr, "the settings file does not parse\n");
        return 3;
    }
    // One line a key: a line break inside a value is written as \n.
    for (const QString& key : keys) {
        QString value = settings.value(key).toString();
        value.replace(QLatin1String("\\"), QLatin1String("\\\\")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
        std::printf("%s=%s\n", key.toStdString().c_str(), value.toStdString().c_str());
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc >= 4 && std::strcmp(argv[1], "--set") == 0)
        return storeSettings(argv[2], argv[3], std::vector<std::string>(argv + 4, argv + argc));
    if (argc == 4 && std::strcmp(argv[1], "--keys") == 0) return printKeys(argv[2], argv[3]);
    if (argc < 9) {
        std::fprintf(stderr,
                     "usage: %s FOLDER NAME CONF_FILE DATA_FOLDER DAEMON_FOLDER COUNT_EVERY FIRST_COUNT CRYPTO_NAME\n"
                     "          [--daemon NAME] [--cli NAME] [--mail PORT] [KEY=VALUE...]\n"
                     "       %s --set FOLDER NAME KEY=VALUE...\n"
                     "       %s --keys FOLDER NAME\n",
                     argv[0], argv[0], argv[0]);
        return 2;
    }
    syncward::testing::ProgramRun copy(argv[1], argv[2]);
    syncward::NodeCommandFields fields;
    fields.confFile = argv[3];
    fields.dataFolder = argv[4];
    fields.daemonCliFolder = argv[5];
    fields.daemonName = "litecoind";
    fields.cliName = "litecoin-cli";
    fields.qtName = "litecoin-qt";
    int mailPort = 0;
    std::vector<std::string> extra;
    for (int i = 9; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--daemon" && hasValue)
            fields.daemonName = argv[++i];
        else if (option == "--cli" && hasValue)
            fields.cliName = argv[++i];
        else if (option == "--mail" && hasValue)
            mailPort = std::stoi(argv[++i]);
        else
            extra.push_back(option);
    }
    copy.nodeCommandFiles(fields, std::string(argv[7]) + "\n");
    // The e-mail settings' own window, OK'd as a user would, for a sink on
    // 127.0.0.1 (it stores the coin's name too, so the run's switches follow).
    if (mailPort) syncward::testing::configureMail(copy, {"/usr/bin", mailPort, false});
    copy.unattendedRunSwitches(argv[8], argv[6]);
    if (const int failed = storeSettings(argv[1], argv[2], extra)) return failed;
    std::printf("%s\n", copy.home().c_str());
    return 0;
}
