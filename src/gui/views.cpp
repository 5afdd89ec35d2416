#include "gui/views.h"

#include "core/app/main_window.h"
#include "core/power/power_autotimer_settings.h"
#include "core/power/power_autotimer_window.h"
#include "core/settings/crypto_settings_window.h"
#include "core/settings/main_settings_window.h"
#include "gui/app/main_window_view.h"
#include "gui/power/power_autotimer_settings_view.h"
#include "gui/power/power_autotimer_window_view.h"
#include "gui/settings/crypto_settings_view.h"
#include "gui/settings/main_settings_view.h"
#include "gui/qt_window_host.h"

namespace syncward {

void registerViews(QtWindowHost& host) {
    host.registerView("SYNCWARD_MAIN", [](Form& form, QWidget* parent) -> QWidget* {
        return new MainWindowView(static_cast<MainWindow&>(form), parent);
    });
    host.registerView("SYNCWARD_POWER_AUTOTIMER_SETTINGS", [](Form& form, QWidget* parent) -> QWidget* {
        return new PowerAutotimerSettingsView(static_cast<PowerAutotimerSettings&>(form), parent);
    });
    host.registerView("SYNCWARD_POWER_AUTOTIMER_WINDOW", [](Form& form, QWidget* parent) -> QWidget* {
        return new PowerAutotimerWindowView(static_cast<PowerAutotimerWindow&>(form), parent);
    });
    host.registerView("SYNCWARD_MAIN_SETTINGS", [](Form& form, QWidget* parent) -> QWidget* {
        return new MainSettingsView(static_cast<MainSettingsWindow&>(form), parent);
    });
    host.registerView("SYNCWARD_CRYPTO_SETTINGS", [](Form& form, QWidget* parent) -> QWidget* {
        return new CryptoSettingsView(static_cast<CryptoSettingsWindow&>(form), parent);
    });
}

}  // namespace syncward
