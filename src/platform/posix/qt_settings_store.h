#pragma once

#include <QSettings>
#include <QString>

#include "core/platform/settings_store.h"

namespace syncward {

// The settings store as an INI file, one group per section. Every get
// re-reads the file when another copy of the program changed it; every
// save is on disk when it returns; the file is readable by its owner only.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(const QString& filePath);

    // The file every copy shares within a configuration folder such as
    // $XDG_CONFIG_HOME.
    static QString filePathUnder(const QString& configHome);
    // $XDG_CONFIG_HOME/QV_SYNCWARD/QV_SYNCWARD.ini (~/.config when unset).
    static QString defaultFilePath();

    std::string get(const std::string& section, const std::string& key, const std::string& fallback) override;
    bool save(const std::string& section, const std::string& key, const std::string& value) override;
    // The INI file and the section's group: "/home/u/.config/QV_SYNCWARD/QV_SYNCWARD.ini [LTC1]".
    std::string locationOf(const std::string& section) override;

private:
    QSettings settings_;
};

}  // namespace syncward
