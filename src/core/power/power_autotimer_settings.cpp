#include "core/power/power_autotimer_settings.h"

#include "core/power/power_actions.h"
#include "core/state/app_context.h"
#include "core/time/clock_text.h"

namespace syncward {

namespace {

constexpr WindowPlacement windowPlacement{"POWER_AUTOTIMER_SETTINGS-", 4785, 4380};
constexpr const char* invalidCountdownStart = "!!! COUNTDOWN START MUST BE HH:MM:SS !!!";

}  // namespace

PowerAutotimerSettings::PowerAutotimerSettings(AppContext& app)
    : Form(formName, app.platform.loop), app_(app) {
    setCaption("SYNCWARD - POWER AUTOTIMER SETTINGS");
    AUTOTIMER_ACTION_TEXTBOX.setLocked(true);  // shows the ticked action; chosen by the tick boxes only
    const auto boxes = actionTickBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) boxes[i]->onClick.connect([this, i] { actionClicked(i); });
    OK_BUTTON.onClick.connect([this] { ok(); });
    // A corrected countdown start takes its error away with it.
    CLOSE_REQUEST_COUNTDOWN_TEXTBOX.onChange.connect([this] {
        if (countdownStartRefused_ && isTimeOfDay(CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text())) {
            AUTOTIMER_SETTINGS_STATUS_LABEL.setCaption("");
            countdownStartRefused_ = false;
        }
    });
    onClose.connect([this] {
        if (!positionSavedByOk_) app_.settings.savePosition(*this, windowPlacement);
    });
}

void PowerAutotimerSettings::load() {
    const SectionSettings& s = app_.settings;
    positionSavedByOk_ = false;
    AUTOTIMER_SETTINGS_STATUS_LABEL.setCaption("");
    countdownStartRefused_ = false;
    s.loadPlacement(*this, windowPlacement);
    s.loadTime(CLOSE_REQUEST_COUNTDOWN_TEXTBOX, "00:00:00");
    s.loadText(AUTOTIMER_ACTION_TEXTBOX, "");

    // The window opens as new: nothing ticked, everything available.
    resetting_ = true;
    for (TickBox* box : actionTickBoxes()) {
        box->setValue(0);
        box->setEnabled(true);
    }
    resetting_ = false;

    if (const PowerActionEntry* stored = findPowerAction(AUTOTIMER_ACTION_TEXTBOX.text())) {
        const auto boxes = actionTickBoxes();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (powerActions[i].text == stored->text) {
                boxes[i]->setEnabled(true);
                boxes[i]->setValue(1);  // runs its click: the others are cleared and disabled
            } else {
                boxes[i]->setEnabled(false);
            }
        }
    }
}

void PowerAutotimerSettings::actionClicked(std::size_t index) {
    if (resetting_) return;
    const auto boxes = actionTickBoxes();
    const bool ticked = boxes[index]->ticked();
    // Clear first, then set availability, so no cascade can undo it.
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (i != index && ticked) boxes[i]->setValue(0);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (i != index) boxes[i]->setEnabled(!ticked);
    const std::string action = ticked ? powerActions[index].text : "";
    app_.main.AUTOTIMER_ACTION_TEXTBOX.setText(action);
    AUTOTIMER_ACTION_TEXTBOX.setText(action);
    app_.settings.saveText(AUTOTIMER_ACTION_TEXTBOX);
}

void PowerAutotimerSettings::ok() {
    // A countdown start that is not a time would leave the countdown window
    // nothing to count from; nothing is stored and the window stays open.
    if (!isTimeOfDay(CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text())) {
        AUTOTIMER_SETTINGS_STATUS_LABEL.setCaption(invalidCountdownStart);
        countdownStartRefused_ = true;
        return;
    }
    const SectionSettings& s = app_.settings;
    s.savePosition(*this, windowPlacement);
    positionSavedByOk_ = true;
    s.saveText(AUTOTIMER_ACTION_TEXTBOX);
    s.saveText(CLOSE_REQUEST_COUNTDOWN_TEXTBOX);
    app_.main.CLOSE_REQUEST_COUNTDOWN_TEXTBOX.setText(CLOSE_REQUEST_COUNTDOWN_TEXTBOX.text());
    close();
}

}  // namespace syncward
