#pragma once

#include <QWidget>

namespace syncward {

// Holds one widget whose text changes every second (a running time) at the
// size the window's layout gives the box. A label asks its parent's layout
// to lay out again at every new text, and with it the whole window; here
// its parent has no layout, so the new text only repaints the label. The
// box asks for the room the label asked for, so the window looks the same.
class SteadyBox : public QWidget {
public:
    explicit SteadyBox(QWidget* held);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* held_;
};

}  // namespace syncward
