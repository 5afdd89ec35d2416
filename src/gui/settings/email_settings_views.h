#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class EmailMainSettingsWindow;
class EmailSettingsForm;
class EmailSharedSettingsWindow;

// The e-mail main settings: the mail settings, the subjects and both
// command lines as they are rebuilt, and the buttons.
class EmailMainSettingsView : public FormView {
public:
    EmailMainSettingsView(EmailMainSettingsWindow& model, QWidget* parent);
};

// The e-mail shared settings: the same mail settings, shared by every copy.
class EmailSharedSettingsView : public FormView {
public:
    EmailSharedSettingsView(EmailSharedSettingsWindow& model, QWidget* parent);
};

// The mail settings both windows lay out alike.
QWidget* mailSettingsGroup(FormView& view);

}  // namespace syncward
