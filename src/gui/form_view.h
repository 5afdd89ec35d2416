#pragma once

#include <QWidget>

namespace syncward {

class Form;
class FormBinder;

// Base of every window's view: lays nothing out itself, but reports moves
// back to the model in twips, routes the close box through the model's
// close, and follows the model's caption. A view builds its widgets, named
// after the controls, then calls bindControls().
class FormView : public QWidget {
public:
    FormView(Form& form, QWidget* parent);
    ~FormView() override;

    Form& form() const { return form_; }

    // Creates the widget for a control, named after it.
    QWidget* control(const char* name);
    QWidget* multiline(const char* name);

protected:
    void bindControls();
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Form& form_;
    FormBinder* binder_ = nullptr;
};

}  // namespace syncward
