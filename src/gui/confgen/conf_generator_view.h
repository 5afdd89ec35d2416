#pragma once

#include "gui/shell/form_view.h"

namespace syncward {

class ConfGeneratorWindow;

// The configuration generator: the options and values on the left, the
// live preview of the file on the right, the buttons below.
class ConfGeneratorView : public FormView {
public:
    ConfGeneratorView(ConfGeneratorWindow& model, QWidget* parent);

private:
    QWidget* optionsGroup();
    QWidget* valuesGroup();
    QWidget* userGroup();
    QWidget* outputGroup();
    QWidget* buttonsRow();
};

}  // namespace syncward
