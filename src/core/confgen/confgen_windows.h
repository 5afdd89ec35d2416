#pragma once

#include <memory>

namespace syncward {

struct AppContext;
class BlockTimesWindow;
class CoinPresetsWindow;
class ConfGeneratorWindow;
class RpcCredentialsWindow;
class SettingsWindows;

// The configuration generator with the two windows it opens, and the
// block times window of the main window; each created on first use.
class ConfGenWindows {
public:
    ConfGenWindows(AppContext& app, SettingsWindows& settings);
    ~ConfGenWindows();

    ConfGeneratorWindow& generator();
    CoinPresetsWindow& presets();
    RpcCredentialsWindow& credentials();
    BlockTimesWindow& blockTimes();

    // The generator over the main settings, the presets and the
    // credentials over the generator, the block times over the main window.
    void openGenerator();
    void openPresets();
    void openCredentials();
    void openBlockTimes();

private:
    AppContext& app_;
    SettingsWindows& settings_;
    std::unique_ptr<ConfGeneratorWindow> generator_;
    std::unique_ptr<CoinPresetsWindow> presets_;
    std::unique_ptr<RpcCredentialsWindow> credentials_;
    std::unique_ptr<BlockTimesWindow> blockTimes_;
};

}  // namespace syncward
