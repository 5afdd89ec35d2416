#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class RpcCredentialsWindow;

// The ten preset buttons, the three fields, the note on the node's own
// script and the warnings.
class RpcCredentialsView : public FormView {
public:
    RpcCredentialsView(RpcCredentialsWindow& model, QWidget* parent);
};

}  // namespace syncward
