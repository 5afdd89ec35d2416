#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class AllOutputCommandsWindow;
class SingleOutputCommandsWindow;

// One command line at a time, chosen by its button, with its file.
class SingleOutputCommandsView : public FormView {
public:
    SingleOutputCommandsView(SingleOutputCommandsWindow& model, QWidget* parent);
};

// All six command lines with their files, one under the other.
class AllOutputCommandsView : public FormView {
public:
    AllOutputCommandsView(AllOutputCommandsWindow& model, QWidget* parent);
};

}  // namespace syncward
