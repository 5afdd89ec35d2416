#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

namespace syncward {

DisplayEnvironment DisplayEnvironment::fromProcess() {
    return {qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"),
            qEnvironmentVariable("QT_QPA_PLATFORM")};
}

namespace {

// The copy's name as its settings have it. A Windows program is named
// without its ".exe", and its path may use either slash.
QString ownName(const QStringList& arguments, HelpSystem system) {
    QString name = arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
    if (system == HelpSystem::Windows) {
        name = name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1);
        if (name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive)) name.chop(4);
    }
    return name.isEmpty() ? QStringLiteral("syncward") : name;
}

QString description(const QString& name, HelpSystem system) {
    const QString what = QStringLiteral(
        "Keeps a crypto-currency full node up to date without anybody watching: starts the node,\n"
        "polls its block count until the chain has caught up, stops the node, reports, mails the\n"
        "report and closes or powers the computer off.\n"
        "\n");
    if (system == HelpSystem::Windows)
        return what + QStringLiteral(
                          "This copy is \"%1\": its settings are the registry key\n"
                          "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\QV_SYNCWARD\\%1 and its files in the\n"
                          "home folder are named %1-... . A copy of the program under another file name is another\n"
                          "copy with its own settings and files.\n"
                          "\n"
                          "Closing its window (the close box, the task bar, or \"taskkill /im %1.exe\" without /f)\n"
                          "closes it as its close box does.")
                          .arg(name);
    return what + QStringLiteral(
                      "This copy is \"%1\": its settings are the group [%1] of\n"
                      "$XDG_CONFIG_HOME/QV_SYNCWARD/QV_SYNCWARD.ini and its files in the home folder are named\n"
                      "%1-... . A link or copy of the program under another name is another copy with its own\n"
                      "settings and files.\n"
                      "\n"
                      "Without any display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM all unset) the\n"
                      "program runs offscreen by itself. SIGTERM, SIGINT and SIGHUP close it as its close box\n"
                      "does.")
                      .arg(name);
}

// Without a QCoreApplication (none exists yet) Qt cannot name the program
// in its usage line, so the line is written here.
QString usageNamed(const QString& helpText, const QString& name) {
    const qsizetype firstLineEnd = helpText.indexOf(QLatin1Char('\n'));
    const QString rest = firstLineEnd < 0 ? QString() : helpText.mid(firstLineEnd + 1);
    return QStringLiteral("Usage: %1 [--offscreen]\n%2").arg(name, rest);
}

}  // namespace

CommandLine readCommandLine(const QStringList& arguments, const DisplayEnvironment& environment,
                            const QString& version, HelpSystem system) {
    const QString name = ownName(arguments, system);
    QCommandLineParser parser;
    parser.setApplicationDescription(description(name, system));
    // Qt's own options are single-dash words ("-platform xcb"); reading
    // single-dash words as long options keeps them from being taken apart
    // into letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption showVersion({QStringLiteral("v"), QStringLiteral("version")},
                                         QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(showVersion);
    const QCommandLineOption offscreen(QStringLiteral("offscreen"),
                                       QStringLiteral("Run without a window, even where a display is available."));
    parser.addOption(offscreen);
    const QCommandLineOption catchUp(
        QStringLiteral("catch-up"),
        QStringLiteral("Start the weekly run only if its last scheduled time passed without a run (the "
                       "computer was off); otherwise end at once, saying when the next run is due."));
    parser.addOption(catchUp);
    const QCommandLineOption check(
        QStringLiteral("check"),
        QStringLiteral("Check this copy's set-up without opening a window: print one line per check (GREEN, YELLOW "
                       "or RED, with the fix) and exit 0 when nothing is red, 1 otherwise."));
    parser.addOption(check);
    // Qt reads these two itself; they matter here because they choose where
    // the window goes, so the offscreen fallback must not override them.
    QCommandLineOption platform(QStringLiteral("platform"), QString(), QStringLiteral("name"));
    platform.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption display(QStringLiteral("display"), QString(), QStringLiteral("display"));
    display.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(platform);
    parser.addOption(display);

    CommandLine result;
    const auto refuse = [&](const QString& why) {
        result.action = CommandLine::Action::Refuse;
        result.text = QStringLiteral("%1: %2\nTry '%1 --help'.\n").arg(name, why);
        return result;
    };
    // execve() allows an empty argument list; the parser does not.
    if (!parser.parse(arguments.isEmpty() ? QStringList{name} : arguments)) return refuse(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    if (parser.isSet(help)) {
        result.action = CommandLine::Action::ShowHelp;
        result.text = usageNamed(parser.helpText(), name);
        return result;
    }
    if (parser.isSet(showVersion)) {
        result.action = CommandLine::Action::ShowVersion;
        result.text = QStringLiteral("syncward %1\n").arg(version);
        return result;
    }

    result.catchUp = parser.isSet(catchUp);
    result.checkSetup = parser.isSet(check);
    const bool platformChosen = parser.isSet(platform) || !environment.qpaPlatform.isEmpty();
    const bool displayNamed =
        parser.isSet(display) || !environment.display.isEmpty() || !environment.waylandDisplay.isEmpty();
    // A display named in the environment but gone (a scheduled start made
    // while a desktop was up) is no display either; one named on the
    // command line is the user's explicit choice.
    const bool displayFromEnvironment = displayNamed && !parser.isSet(display);
    const bool displayGone = displayFromEnvironment && !environment.opens;
    result.offscreenWithoutDisplay = !parser.isSet(offscreen) && !platformChosen && (!displayNamed || displayGone);
    result.offscreen = parser.isSet(offscreen) || result.offscreenWithoutDisplay;
    result.asksDisplay = !result.offscreen && !platformChosen && displayFromEnvironment;
    const QString goneText =
        QStringLiteral("%1: the display (%2) cannot be opened; running offscreen, without a window\n")
            .arg(name, environment.display.isEmpty() ? environment.waylandDisplay : environment.display);
    if (result.offscreen) {
        result.platform = QStringLiteral("offscreen");
    } else if (result.asksDisplay && !environment.platforms.isEmpty()) {
        result.platform = environment.platforms + QStringLiteral(";offscreen");
        result.fallbackText = goneText;
    }
    if (result.offscreenWithoutDisplay && displayGone)
        result.text = goneText;
    else if (result.offscreenWithoutDisplay)
        result.text = QStringLiteral(
                          "%1: no display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset); "
                          "running offscreen, without a window\n")
                          .arg(name);
    return result;
}

}  // namespace syncward
