#include "platform/posix/xdg_autostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "platform/posix/posix_environment.h"

namespace syncward {

namespace {

QString pathOf(const std::string& folder, const std::string& fileName) {
    return QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(fileName));
}

}  // namespace

// An XDG_CONFIG_HOME that is not an absolute path is to be ignored.
std::string XdgAutostart::defaultFolder() {
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!config.isEmpty() && QDir::isAbsolutePath(config)) return (config + "/autostart").toStdString();
    return PosixEnvironment::homeDirectory() + "/.config/autostart";
}

Autostart::Done XdgAutostart::write(const std::string& fileName, const std::string& text) {
    const QString folder = QString::fromStdString(folder_);
    if (!QDir().mkpath(folder)) return {false, "cannot create " + folder_};
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Written beside the entry and renamed over it: a session that logs in
    // meanwhile sees the old entry or the new one, never half of one.
    QSaveFile file(pathOf(folder_, fileName));
    if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString().toStdString()};
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit())
        return {false, file.errorString().toStdString()};
    return {true, ""};
}

Autostart::Done XdgAutostart::remove(const std::string& fileName) {
    QFile file(pathOf(folder_, fileName));
    if (!file.exists() || file.remove()) return {true, ""};
    return {false, file.errorString().toStdString()};
}

bool XdgAutostart::exists(const std::string& fileName) { return QFile::exists(pathOf(folder_, fileName)); }

}  // namespace syncward
