#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "core/form/form.h"
#include "core/platform/window_host.h"

namespace syncward {

// Creates a form's view on its first show, from the factory registered
// under the form's name. Modal windows use window modality without a nested
// event loop, so the main window's timers keep running under them.
class QtWindowHost : public WindowHost {
public:
    using ViewFactory = std::function<QWidget*(Form& form, QWidget* parent)>;

    void registerView(const std::string& formName, ViewFactory factory);
    // The view class that shows a window model, registered under the
    // model's own form name.
    template <typename Model, typename View>
    void registerView() {
        registerView(Model::formName,
                     [](Form& form, QWidget* parent) -> QWidget* { return new View(static_cast<Model&>(form), parent); });
    }
    QWidget* viewOf(Form& form) const;
    // Deletes every view now. Views refer to their models, so this comes
    // before the models go: a view left behind could still be painted.
    void deleteViews();

    void showModal(Form& form, Form& owner) override;
    void showModeless(Form& form) override;
    void hide(Form& form) override;
    bool isForeground(Form& form) override;
    void setTopmost(Form& form, bool topmost) override;
    // Where the system itself says which window is in front, and what it
    // adds to Qt's stays-on-top hint when a window is to come above that
    // one (on Windows: GetForegroundWindow, and the window in front first
    // loses its own topmost place). Without them Qt's active window, the
    // hint and a raise do.
    struct Foreground {
        std::function<WId()> window;
        std::function<void(QWidget& window)> raiseAbove;
    };
    void setForeground(Foreground foreground) { foreground_ = std::move(foreground); }

private:
    QWidget* ensureView(Form& form, QWidget* parent);
    void show(Form& form, QWidget* parent, bool modal);

    std::map<std::string, ViewFactory> factories_;
    std::map<Form*, QPointer<QWidget>> views_;
    Foreground foreground_;
};

// Twips (1/1440 inch) and pixels at the screen's logical resolution;
// results past the range of an int stop at its ends.
int twipsToPixels(int twips, const QWidget& widget);
int pixelsToTwips(int pixels, const QWidget& widget);

}  // namespace syncward
