#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class CoinPresetsWindow;

// The presets: the arming tick box, BASIC SETTINGS, a button for each coin
// of the catalogue, the note on the shared RPC port.
class CoinPresetsView : public FormView {
public:
    CoinPresetsView(CoinPresetsWindow& model, QWidget* parent);
};

}  // namespace syncward
