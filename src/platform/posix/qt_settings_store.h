#pragma once

#include <QSettings>
#include <QString>

#include "core/platform/settings_store.h"

namespace syncward {

// The settings store as an INI file, one group per section. Every get
// re-reads the file when another copy of the program changed it; every
// save is on disk when it returns; the file is readable by its owner only.
// The file is rewritten whole at each save, so a line that is not a setting
// (a comment written by hand) does not survive it: the file as it was is
// kept beside it first, and the loss is told once.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& filePath);

    // The file every copy shares within a configuration folder such as
    // $XDG_CONFIG_HOME.
    static QString filePathUnder(const QString& configHome);
    // $XDG_CONFIG_HOME/QV_SYNCWARD/QV_SYNCWARD.ini (~/.config when unset).
    static QString defaultFilePath();
    // Where the file with lines that could not be read is kept.
    static QString keptCopyOf(const QString& filePath);

    std::string get(const std::string& section, const std::string& key, const std::string& fallback) override;
    bool save(const std::string& section, const std::string& key, const std::string& value) override;
    // The INI file and the section's group: "/home/u/.config/QV_SYNCWARD/QV_SYNCWARD.ini [LTC1]".
    std::string locationOf(const std::string& section) override;
    std::string takeUnreadLinesNotice() override;

private:
    // The file holds lines that are not settings: keep it as it is before a
    // save rewrites it without them.
    void keepUnreadableFile();

    QString path_;
    // For reading only. QSettings keeps the first error it met for the
    // life of the object, so each save is judged with an object of its own.
    QSettings settings_;
    bool unreadKept_ = false;
    std::string unreadNotice_;
};

}  // namespace syncward
