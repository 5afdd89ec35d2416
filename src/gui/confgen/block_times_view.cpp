#include "gui/confgen/block_times_view.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/confgen/block_times_window.h"

namespace syncward {

BlockTimesView::BlockTimesView(BlockTimesWindow& model, QWidget* parent) : FormView(model, parent) {
    auto* grid = new QGridLayout;
    int column = 0;
    for (const char* heading : {"Crypto Name", "Average (Mins)", "Clock-Time", "", "Recommended", ""})
        grid->addWidget(new QLabel(heading), 0, column++);
    int row = 1;
    for (const auto& r : model.rows()) {
        const QString names[] = {QString::fromStdString(r->name.name()), QString::fromStdString(r->average.name()),
                                 QString::fromStdString(r->time.name()), QString::fromStdString(r->use.name()),
                                 QString::fromStdString(r->recommended.name()),
                                 QString::fromStdString(r->recommendedUse.name())};
        column = 0;
        for (const QString& name : names) grid->addWidget(control(name), row, column++);
        ++row;
    }
    auto* heading = control<QLabel>("HEADING_LABEL");
    heading->setAlignment(Qt::AlignCenter);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(control("OK_BUTTON"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(bottom);
    bindControls();
}

}  // namespace syncward
