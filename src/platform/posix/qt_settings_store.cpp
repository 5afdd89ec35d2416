#include "platform/posix/qt_settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

namespace syncward {

namespace {

QString keyOf(const std::string& section, const std::string& key) {
    return QString::fromStdString(section) + '/' + QString::fromStdString(key);
}

void ownerOnly(const QString& path) { QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner); }

}  // namespace

QtSettingsStore::QtSettingsStore(const QString& filePath)
    : path_(filePath), settings_(filePath, QSettings::IniFormat) {
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    settings_.allKeys();  // QSettings reads a section only when asked: ask all now
    if (settings_.status() == QSettings::FormatError) keepUnreadableFile();
}

QString QtSettingsStore::filePathUnder(const QString& configHome) {
    return configHome + "/QV_SYNCWARD/QV_SYNCWARD.ini";
}

QString QtSettingsStore::defaultFilePath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + "/.config";
    return filePathUnder(base);
}

QString QtSettingsStore::keptCopyOf(const QString& filePath) { return filePath + ".unread-lines"; }

void QtSettingsStore::keepUnreadableFile() {
    if (unreadKept_) return;
    unreadKept_ = true;
    const QString kept = keptCopyOf(path_);
    QFile::remove(kept);
    const bool copied = QFile::copy(path_, kept);
    if (copied) ownerOnly(kept);
    unreadNotice_ = "A LINE OF " + path_.toStdString() + " IS NOT A SETTING - THE FILE IS REWRITTEN WITHOUT IT" +
                    (copied ? " - THE FILE AS IT WAS IS KEPT IN " + kept.toStdString() : "");
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

// Judged by what reached the disk, not by the error an earlier save met:
// the file read afresh must hold no line it cannot read (a write that
// failed leaves such a line where it was) and no error may come up.
bool QtSettingsStore::save(const std::string& section, const std::string& key, const std::string& value) {
    QSettings writer(path_, QSettings::IniFormat);  // reads the file as it is now
    // Every section parsed before the write, which drops what it cannot read.
    writer.allKeys();
    const bool hadUnreadable = writer.status() == QSettings::FormatError;
    if (hadUnreadable) keepUnreadableFile();
    if (writer.status() == QSettings::AccessError) return false;
    const QString k = keyOf(section, key);
    const QString v = QString::fromStdString(value);
    // Saving what is already stored would only rewrite the file.
    if (writer.contains(k) && writer.value(k).toString() == v) return true;
    writer.setValue(k, v);
    writer.sync();
    ownerOnly(path_);
    if (!hadUnreadable) return writer.status() == QSettings::NoError;
    // The read's error hides the write's: ask the file itself.
    QSettings reread(path_, QSettings::IniFormat);
    reread.allKeys();
    return reread.status() == QSettings::NoError && reread.value(k).toString() == v;
}

std::string QtSettingsStore::locationOf(const std::string& section) {
    return settings_.fileName().toStdString() + " [" + section + "]";
}

std::string QtSettingsStore::takeUnreadLinesNotice() { return std::exchange(unreadNotice_, {}); }

}  // namespace syncward
