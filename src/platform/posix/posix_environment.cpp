#include "platform/posix/posix_environment.h"

#include <cstdio>
#include <ctime>

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

namespace syncward {

std::string PosixEnvironment::executableNameOf(const std::string& argv0) {
    return QFileInfo(QString::fromStdString(argv0)).fileName().toStdString();
}

PosixEnvironment::PosixEnvironment(const std::string& argv0) {
    const QFileInfo info(QString::fromStdString(argv0));
    executableName_ = executableNameOf(argv0);
    if (argv0.find('/') != std::string::npos)
        executableFolder_ = info.absolutePath().toStdString();
    else
        executableFolder_ = QCoreApplication::applicationDirPath().toStdString();
}

std::string PosixEnvironment::computerName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) == 0 && name[0] != '\0') return name;
    return qEnvironmentVariable("HOSTNAME").toStdString();
}

std::string PosixEnvironment::userName() {
    const QString user = qEnvironmentVariable("USER");
    if (!user.isEmpty()) return user.toStdString();
    if (const passwd* entry = getpwuid(getuid())) return entry->pw_name;
    return {};
}

std::string PosixEnvironment::homeDirectory() {
    const QString home = qEnvironmentVariable("HOME");
    if (!home.isEmpty()) return home.toStdString();
    if (const passwd* entry = getpwuid(getuid())) return entry->pw_dir;
    return "/";
}

std::string PosixEnvironment::dateText() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();
}

// The long time formats of many locales end in a time zone name; the run
// record wants the time of day, so it uses hours, minutes and seconds.
std::string PosixEnvironment::timeText() {
    return QTime::currentTime().toString("HH:mm:ss").toStdString();
}

NumberSeparators PosixEnvironment::numberSeparators() {
    const QLocale locale = QLocale::system();
    return {locale.groupSeparator().toStdString(), locale.decimalPoint().toStdString()};
}

long long PosixEnvironment::secondsSinceEpoch() { return static_cast<long long>(std::time(nullptr)); }

void PosixEnvironment::tellStandardError(const std::string& line) {
    std::fputs((line + "\n").c_str(), stderr);
    std::fflush(stderr);
}

// The C library's own zone rules (TZ, /etc/localtime), as cron uses them.
int PosixEnvironment::utcOffsetSeconds(long long secondsSinceEpoch) {
    const std::time_t at = static_cast<std::time_t>(secondsSinceEpoch);
    ::tzset();  // a zone changed since the program started counts
    std::tm local{};
    if (::localtime_r(&at, &local) == nullptr) return 0;
    return static_cast<int>(local.tm_gmtoff);
}

}  // namespace syncward
