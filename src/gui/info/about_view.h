#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class AboutWindow;

// The about window: the titles, the maker, the family's earlier tools and
// the ways to the dedications and donations.
class AboutView : public FormView {
public:
    AboutView(AboutWindow& model, QWidget* parent);
};

}  // namespace syncward
