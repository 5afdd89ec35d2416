#include "platform/posix/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace syncward {

namespace {

QString keyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore(const QString& filePath) : settings_(filePath, QSettings::IniFormat) {
    QDir().mkpath(QFileInfo(filePath).absolutePath());
}

QString QtSettingsStore::filePathUnder(const QString& configHome) {
    return configHome + "/QV_SYNCWARD/QV_SYNCWARD.ini";
}

QString QtSettingsStore::defaultFilePath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + "/.config";
    return filePathUnder(base);
}

std::string QtSettingsStore::get(const std::string& section, const std::string& key, const std::string& fallback) {
    settings_.sync();  // take in what other copies saved since
    const QVariant value = settings_.value(keyOf(section, key));
    if (!value.isValid()) return fallback;
    // A value that looks like a list ("a, b") is read back as one; join it
    // again so that a text always comes back as it was saved.
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
    return value.toString().toStdString();
}

bool QtSettingsStore::save(const std::string& section, const std::string& key, const std::string& value) {
    settings_.sync();
    const QString k = keyOf(section, key);
    const QString v = QString::fromStdString(value);
    // Saving what is already stored would only rewrite the file.
    if (settings_.contains(k) && settings_.value(k).toString() == v) return true;
    settings_.setValue(k, v);
    settings_.sync();
    QFile::setPermissions(settings_.fileName(), QFile::ReadOwner | QFile::WriteOwner);
    return settings_.status() == QSettings::NoError;
}

std::string QtSettingsStore::locationOf(const std::string& section) {
    return settings_.fileName().toStdString() + " [" + section + "]";
}

}  // namespace syncward
