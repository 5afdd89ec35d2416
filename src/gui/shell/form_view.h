#pragma once

#include <QPlainTextEdit>
#include <QWidget>
#include <stdexcept>
#include <string>

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

    // Creates the widget for a control, named after it, of the type the
    // control's kind calls for. Asking for another widget type fails at once.
    template <typename Widget = QWidget>
    Widget* control(const QString& name) {
        return checked(qobject_cast<Widget*>(createControl(name)), name);
    }
    QPlainTextEdit* multiline(const QString& name);

protected:
    void bindControls();
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* createControl(const QString& name);
    template <typename Widget>
    static Widget* checked(Widget* widget, const QString& name) {
        if (!widget)
            throw std::logic_error("control " + name.toStdString() + " is not a " +
                                   Widget::staticMetaObject.className());
        return widget;
    }

    Form& form_;
    FormBinder* binder_ = nullptr;
};

}  // namespace syncward
