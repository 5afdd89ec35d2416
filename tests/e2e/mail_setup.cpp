#include "e2e/mail_setup.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/run/application.h"
#include "core/platform/platform_profile.h"
#include "core/settings/email_main_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "core/settings/settings_windows.h"
#include "e2e/program_run.h"
#include "platform/posix/posix_file_system.h"
#include "platform/posix/qt_settings_store.h"
#include "support/fake_platform.h"

namespace syncward::testing {

// A wrong path in the window's rebuild of the lines fails the mail.
void configureMail(ProgramRun& program, const MailSetup& setup) {
    program.setting("CRYPTO_NAME_TEXTBOX", "Fakecoin");  // the subjects name the coin
    {
        QtSettingsStore store(QString::fromStdString(program.settingsFile()));
        PosixFileSystem files;
        FakePlatform fake(PlatformProfile::posix(std::getenv("HOME") ? std::getenv("HOME") : "/"));
        fake.environment.exeName = program.name();
        Platform platform = fake.with({.files = &files, .store = &store});
        Application app(platform);
        app.start();
        app.main().SETTINGS_BUTTON.click();
        SettingsWindows& settings = app.settingsWindows();
        settings.mainSettings().SE_SETTINGS_BUTTON.click();
        EmailMainSettingsWindow& w = settings.emailSettings();
        w.SE_HOME_TEXTBOX.setText(setup.mailerFolder);
        w.SEND_FROM_ADDRESS_TEXTBOX.setText("node@example.org");
        w.SEND_TO_ADDRESS_TEXTBOX.setText("me@example.org");
        w.SEND_CC_ADDRESS_TEXTBOX.setText("ops@example.org");
        w.SEND_BCC_ADDRESS_TEXTBOX.setText("audit@example.org");
        w.SMTP_SERVER_ADDRESS_PORT_TEXTBOX.setText("127.0.0.1:" + std::to_string(setup.port));
        w.SMTP_USERNAME_TEXTBOX.setText("nodeuser");
        w.SMTP_PASSWORD_TEXTBOX.setText(password);
        w.REPORT_AS_ATTACHMENT_TICKBOX.setValue(setup.attach ? 1 : 0);
        w.OK_BUTTON.click();
        EXPECT_FALSE(w.isOpen()) << program.name() << ": " << w.MESSAGE_STATUS_TEXTBOX.text();
    }
    EXPECT_EQ(program.storedSetting("SE_HOME_TEXTBOX"), setup.mailerFolder);
    for (const char* tick : {"AUTOSTART_TICKBOX", "TASK_4_ENABLE_TICKBOX", "TASK_17_ENABLE_TICKBOX",
                             "TASK_19_ENABLE_TICKBOX"})
        program.setting(tick, "1");
}

}  // namespace syncward::testing
