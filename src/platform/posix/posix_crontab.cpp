#include "platform/posix/posix_crontab.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace syncward {

namespace {

constexpr int waitMs = 15000;

struct Ran {
    bool finished = false;
    int exitCode = -1;
    std::string out;
    std::string error;
};

Ran runCrontab(const std::string& user, const QStringList& arguments, const std::string& input) {
    QStringList all;
    if (!user.empty()) all << "-u" << QString::fromStdString(user);
    all << arguments;
    QProcess process;
    process.start("crontab", all);
    Ran ran;
    if (!process.waitForStarted(waitMs)) {
        ran.error = "crontab could not be started";
        return ran;
    }
    process.write(input.data(), static_cast<qint64>(input.size()));
    process.closeWriteChannel();
    if (!process.waitForFinished(waitMs)) {
        process.kill();
        process.waitForFinished(waitMs);
        ran.error = "crontab did not finish";
        return ran;
    }
    ran.finished = process.exitStatus() == QProcess::NormalExit;
    ran.exitCode = process.exitCode();
    ran.out = process.readAllStandardOutput().toStdString();
    ran.error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed().section('\n', 0, 0).toStdString();
    if (ran.error.empty()) ran.error = "crontab ended with status " + std::to_string(ran.exitCode);
    return ran;
}

}  // namespace

Crontab::Read PosixCrontab::read() {
    const Ran ran = runCrontab(user_, {"-l"}, "");
    if (ran.finished && ran.exitCode == 0) return {Read::Outcome::Read, ran.out, ""};
    // Only this one answer means "nothing yet"; any other failure may hide
    // a table that a write would then destroy.
    if (ran.finished && ran.exitCode == 1 && ran.error.starts_with("no crontab for "))
        return {Read::Outcome::NoTable, "", ""};
    return {Read::Outcome::Failed, "", ran.error};
}

Crontab::Written PosixCrontab::write(const std::string& text) {
    const Ran ran = runCrontab(user_, {"-"}, text);
    if (ran.finished && ran.exitCode == 0) return {true, ""};
    return {false, ran.error};
}

Crontab::Program PosixCrontab::programOf(const std::string& argv0, bool onDisplay) {
    Program program;
    const QString started = QString::fromLocal8Bit(argv0.c_str());
    // A name without a folder was found on the PATH; the folder it was
    // found in is kept as it is, links and all.
    const QString path = started.contains('/') ? QDir::cleanPath(QDir::current().absoluteFilePath(started))
                                               : QStandardPaths::findExecutable(started);
    program.path = (path.isEmpty() ? started : path).toStdString();
    if (!onDisplay) return program;
    for (const char* name : {"DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"}) {
        const QByteArray value = qgetenv(name);
        if (!value.isEmpty()) program.environment.emplace_back(name, value.toStdString());
    }
    return program;
}

}  // namespace syncward
