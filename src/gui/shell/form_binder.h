#pragma once

#include <QObject>
#include <QPlainTextEdit>
#include <QString>
#include <unordered_map>

class QWidget;

namespace syncward {

class Control;
class DrawnControls;
class Form;

// Pairs every widget below a view whose object name equals a control name
// of the form with that control: model changes update the widget, user
// edits and clicks reach the model's reactions. Text boxes are QLineEdit or
// QPlainTextEdit, tick boxes QCheckBox, labels QLabel, buttons QPushButton.
// Controls that a DrawnControls widget draws go to that widget.
class FormBinder : public QObject {
public:
    FormBinder(Form& form, QWidget& view);
    ~FormBinder() override;

    // Creates the widget that shows a control, named after it.
    static QWidget* widgetFor(Form& form, const QString& controlName, QWidget* parent);
    static QPlainTextEdit* multilineFor(Form& form, const QString& controlName, QWidget* parent);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void bind(Control& control, QWidget& widget);
    void refresh(Control& control);

    Form& form_;
    std::unordered_map<Control*, QWidget*> widgets_;
    std::unordered_map<QObject*, Control*> controlsOfWidgets_;
    std::unordered_map<Control*, DrawnControls*> drawers_;
    bool updatingView_ = false;
};

}  // namespace syncward
