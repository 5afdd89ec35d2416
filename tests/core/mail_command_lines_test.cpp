#include <gtest/gtest.h>

#include "core/platform/platform_profile.h"
#include "core/processes/mail_command_lines.h"

namespace syncward::testing {
namespace {

MailFields windowsFields() {
    MailFields f;
    f.mailerFolder = "C:\\QUORVEL-ROOT\\SendEmail";
    f.from = "node@example.org";
    f.to = "me@example.org";
    f.cc = "cc@example.org";
    f.bcc = "bcc@example.org";
    f.server = "smtp.example.org:587";
    f.user = "me";
    f.password = "s3cret";
    f.tls = "yes";
    f.logFile = "D:\\R\\LOGS\\BTC1-SEND-EMAIL.LOG";
    f.reportFile = "D:\\R\\REPORTS\\BTC1-END-REPORT.LOG";
    return f;
}

TEST(MailCommandLines, SubjectsNameTheCoin) {
    EXPECT_EQ(startMailSubject("BTC"), "SYNCWARD - BTC - STARTED");
    EXPECT_EQ(endMailSubject("BTC"), "SYNCWARD - BTC - COMPLETED - LOG REPORT");
}

TEST(MailCommandLines, WindowsLinesAreTheSkeletonCharacterForCharacter) {
    const PlatformProfile windows = PlatformProfile::windows();
    const MailFields f = windowsFields();
    EXPECT_EQ(startMailCommand(windows, f, "SYNCWARD - BTC - STARTED"),
              "call \"C:\\QUORVEL-ROOT\\SendEmail\\SendEmail.exe\" -f \"node@example.org\" -t \"me@example.org\" "
              "-cc \"cc@example.org\" -bcc \"bcc@example.org\" -u \"SYNCWARD - BTC - STARTED\" "
              "-m \"SYNCWARD - BTC - STARTED\" -o message-charset=UTF-8 -s \"smtp.example.org:587\" -xu \"me\" "
              "-xp \"s3cret\" "
              "-o reply-to=node@example.org -l \"D:\\R\\LOGS\\BTC1-SEND-EMAIL.LOG\" -o tls=yes -o username=me "
              "-o password=s3cret -q -v ");

    const std::string message = reportMessageOption(windows, f.reportFile);
    const std::string attachment = reportAttachmentOption(windows, f.reportFile);
    EXPECT_EQ(message, " -o message-file=\"D:\\R\\REPORTS\\BTC1-END-REPORT.LOG\"");
    EXPECT_EQ(attachment, "-a \"D:\\R\\REPORTS\\BTC1-END-REPORT.LOG\"");
    const std::string end = endMailCommand(windows, f, "SYNCWARD - BTC - COMPLETED - LOG REPORT", message, attachment);
    EXPECT_EQ(end,
              "call \"C:\\QUORVEL-ROOT\\SendEmail\\SendEmail.exe\" -f \"node@example.org\" -t \"me@example.org\" "
              "-cc \"cc@example.org\" -bcc \"bcc@example.org\" -u \"SYNCWARD - BTC - COMPLETED - LOG REPORT\" "
              "-o message-file=\"D:\\R\\REPORTS\\BTC1-END-REPORT.LOG\" -o message-charset=UTF-8 "
              "-s \"smtp.example.org:587\" -xu \"me\" -xp \"s3cret\" -o reply-to=node@example.org "
              "-l \"D:\\R\\LOGS\\BTC1-SEND-EMAIL.LOG\" -o tls=yes "
              "-o username=me -o password=s3cret -q -v -a \"D:\\R\\REPORTS\\BTC1-END-REPORT.LOG\"");
    // Without the attachment the end line ends in "-v" and one blank.
    EXPECT_TRUE(endMailCommand(windows, f, "S", message, "").ends_with(" -o password=s3cret -q -v "));
}

TEST(MailCommandLines, AnAllEmptyWindowsLineKeepsEverySwitchAndEveryBlank) {
    const PlatformProfile windows = PlatformProfile::windows();
    MailFields empty;
    EXPECT_EQ(startMailCommand(windows, empty, ""),
              "call \"\\SendEmail.exe\" -f \"\" -t \"\" -cc \"\" -bcc \"\" -u \"\" -m \"\" -o message-charset=UTF-8 "
              "-s \"\" -xu \"\" -xp \"\" "
              "-o reply-to= -l \"\" -o tls= -o username= -o password= -q -v ");
}

TEST(MailCommandLines, PosixLinesQuoteEveryValueAndKeepThePasswordOutOfTheMailersArguments) {
    const PlatformProfile posix = PlatformProfile::posix("/home/sat");
    MailFields f;
    f.mailerFolder = "/usr/bin";
    f.from = "node@example.org";
    f.to = "me@example.org";
    f.server = "127.0.0.1:2525";
    f.user = "me";
    f.password = "a b$'`c";
    f.tls = "no";
    f.logFile = "/home/sat/R/LOGS/LTC1-SEND-EMAIL.LOG";
    f.reportFile = "/home/sat/R/REPORTS/LTC1-END-REPORT.LOG";
    const std::string subject = startMailSubject("L'coin $(rm -rf ~)");
    EXPECT_EQ(startMailCommand(posix, f, subject),
              "printf '%s\\n' 'a b$'\\''`c' | exec '/usr/bin/sendemail' -f 'node@example.org' -t 'me@example.org' "
              "-cc '' -bcc '' -u 'SYNCWARD - L'\\''coin $(rm -rf ~) - STARTED' "
              "-m 'SYNCWARD - L'\\''coin $(rm -rf ~) - STARTED' -o message-charset=UTF-8 -s '127.0.0.1:2525' -xu 'me' "
              "-o reply-to='node@example.org' -l '/home/sat/R/LOGS/LTC1-SEND-EMAIL.LOG' -o tls='no' "
              "-o username='me' -q ");

    const std::string end = endMailCommand(posix, f, endMailSubject("LTC"), reportMessageOption(posix, f.reportFile),
                                           reportAttachmentOption(posix, f.reportFile));
    // The password reaches the mailer only through the pipe; no -xp, no
    // password option, and no verbose switch that would log the dialogue.
    const std::string mailerPart = end.substr(end.find("| exec "));
    EXPECT_EQ(mailerPart.find("a b"), std::string::npos) << end;
    EXPECT_EQ(end.find("-xp"), std::string::npos);
    EXPECT_EQ(end.find("password="), std::string::npos);
    EXPECT_EQ(end.find("-v"), std::string::npos);
    EXPECT_TRUE(end.ends_with(" -q -a '/home/sat/R/REPORTS/LTC1-END-REPORT.LOG'")) << end;
    EXPECT_NE(end.find(" -o message-file='/home/sat/R/REPORTS/LTC1-END-REPORT.LOG' -o message-charset=UTF-8 -s "),
              std::string::npos)
        << end;
}

}  // namespace
}  // namespace syncward::testing
