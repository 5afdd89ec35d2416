#include "core/setupcheck/setup_facts.h"

#include "core/scheduler/schtasks_lines.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "core/state/app_context.h"

namespace syncward {

namespace {

void wantNodeFiles(SetupFacts& facts, const MainWindow& w, const CryptoSettingsWindow& crypto) {
    if (facts.runQt) facts.commandFiles.push_back({CommandFile::RunQt, crypto.QV_QT_COMMAND_TEXTBOX.text()});
    if (facts.runDaemon) facts.commandFiles.push_back({CommandFile::RunDaemon, crypto.QV_D_COMMAND_TEXTBOX.text()});
    if (w.TASK_8_ENABLE_TICKBOX.ticked()) {
        facts.commandFiles.push_back({CommandFile::BlockCounter, crypto.GETBLOCKCOUNT_COMMAND_SETTINGS_TEXTBOX.text()});
        if (w.CONFIRM_WITH_NODE_TICKBOX.ticked())
            facts.commandFiles.push_back({CommandFile::NodeCheck, crypto.NODE_CHECK_COMMAND_SETTINGS_TEXTBOX.text()});
    }
    if (w.TASK_11_ENABLE_TICKBOX.ticked())
        facts.commandFiles.push_back({CommandFile::CliStop, crypto.QVCLI_STOP_COMMAND_TEXTBOX.text()});
}

}  // namespace

SetupFacts gatherSetupFacts(AppContext& app, SettingsWindows& windows) {
    const MainWindow& w = app.main;
    SetupFacts facts;
    facts.exe = app.executableName;
    facts.home = w.SYNCWARD_HOME_TEXTBOX.text();
    facts.cryptoName = w.CRYPTO_NAME_TEXTBOX.text();
    facts.runQt = w.RUN_QT_TICKBOX.ticked();
    facts.runDaemon = w.RUN_DAEMON_TICKBOX.ticked();
    facts.usesClient = w.TASK_8_ENABLE_TICKBOX.ticked() || w.TASK_11_ENABLE_TICKBOX.ticked();
    facts.finishWhenIdentical = w.FINISH_WHEN_IDENTICAL_TICKBOX.ticked();
    facts.overrideTimer = w.OVERRIDE_TIMER_ENABLE_TICKBOX.ticked();
    facts.autostart = w.AUTOSTART_TICKBOX.ticked();
    facts.autoclose = w.TASK_19_ENABLE_TICKBOX.ticked();
    facts.powerStep = w.TASK_20_ENABLE_TICKBOX.ticked();
    facts.powerActionText = w.AUTOTIMER_ACTION_TEXTBOX.text();
    facts.heartbeat = w.TASK_2_ENABLE_TICKBOX.ticked();

    // The lines as the crypto settings would write them now.
    CryptoSettingsWindow& crypto = windows.cryptoSettings();
    crypto.rebuildCommands();
    facts.node = crypto.commandFields();
    wantNodeFiles(facts, w, crypto);

    facts.startMail = w.TASK_4_ENABLE_TICKBOX.ticked();
    facts.endMail = w.TASK_17_ENABLE_TICKBOX.ticked();
    if (facts.startMail || facts.endMail) {
        // The lines as the e-mail settings' OK would write them now, with
        // the password the files hold.
        EmailMainSettingsWindow& mail = windows.emailSettings();
        const EmailMainSettingsWindow::CommandLines lines = mail.commandFileLines();
        if (facts.startMail) facts.commandFiles.push_back({CommandFile::StartEmail, lines.start});
        if (facts.endMail) facts.commandFiles.push_back({CommandFile::EndReportEmail, lines.end});
        facts.mailerFolder = mail.SE_HOME_TEXTBOX.text();
        facts.mailServer = mail.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.text();
        facts.mailPasswordEmpty = mail.SMTP_PASSWORD_TEXTBOX.text().empty();
    }

    facts.taskWanted = app.settings.getTick("ENABLE_SCHED_TASK_TICKBOX", 0) == 1;
    facts.taskName = weeklyTaskName(app.executableName);
    return facts;
}

}  // namespace syncward
