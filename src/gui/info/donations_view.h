#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class DonationsWindow;

// The donations window: an address a coin, the thank-you message, the
// maker's lines and OK. Tells the model when an address loses the focus.
class DonationsView : public FormView {
public:
    DonationsView(DonationsWindow& model, QWidget* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DonationsWindow& model_;
};

}  // namespace syncward
