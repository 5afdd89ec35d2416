#pragma once

#include <QStringList>

namespace syncward {

class Control;

// A widget that draws several controls of its window itself (the scanner's
// lamps) where a widget for each would be repainted, and laid out, for
// each. The binder finds it among the view's widgets and hands it every
// change of the controls it names.
class DrawnControls {
public:
    virtual ~DrawnControls() = default;
    virtual QStringList drawnControls() const = 0;
    virtual void showControl(const Control& control) = 0;
};

}  // namespace syncward
