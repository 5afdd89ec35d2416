#pragma once

#include <memory>
#include <string>

#include "core/run/application.h"
#include "support/fake_platform.h"

namespace syncward::testing {

// The program on a fake platform: store values first, then start().
struct AppHarness {
    explicit AppHarness(PlatformProfile profile = PlatformProfile::windows()) : fake(std::move(profile)) {}

    void store(const std::string& key, const std::string& value) { fake.store.put(fake.section(), key, value); }
    std::optional<std::string> stored(const std::string& key) const { return fake.store.stored(fake.section(), key); }

    Application& start() {
        app = std::make_unique<Application>(fake.platform);
        app->start();
        return *app;
    }
    MainWindow& main() { return app->main(); }

    FakePlatform fake;
    std::unique_ptr<Application> app;
};

}  // namespace syncward::testing
