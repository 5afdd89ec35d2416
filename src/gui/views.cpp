#include "gui/views.h"

#include "core/app/main_window.h"
#include "gui/app/main_window_view.h"
#include "gui/qt_window_host.h"

namespace syncward {

void registerViews(QtWindowHost& host) {
    host.registerView("SYNCWARD_MAIN", [](Form& form, QWidget* parent) -> QWidget* {
        return new MainWindowView(static_cast<MainWindow&>(form), parent);
    });
}

}  // namespace syncward
