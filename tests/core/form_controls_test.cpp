#include <gtest/gtest.h>

#include "core/form/form.h"
#include "core/form/virtual_loop.h"

namespace syncward {
namespace {

struct TwoBoxes : Form {
    explicit TwoBoxes(EventLoop& loop) : Form("TEST", loop) {}
    TickBox A{*this, "A_TICKBOX"};
    TickBox B{*this, "B_TICKBOX"};
    TextBox T{*this, "T_TEXTBOX", "start"};
};

TEST(FormControls, SettingADifferentTickFromCodeRunsItsClickReactionAndCascades) {
    VirtualLoop loop;
    TwoBoxes form(loop);
    int aClicks = 0, bClicks = 0;
    form.A.onClick.connect([&] {
        ++aClicks;
        if (form.A.ticked()) form.B.setValue(0);
    });
    form.B.onClick.connect([&] {
        ++bClicks;
        if (form.B.ticked()) form.A.setValue(0);
    });
    form.A.setValue(0);  // same value: nothing runs
    EXPECT_EQ(aClicks, 0);
    form.A.setValue(1);
    form.B.setValue(1);  // clears A, whose reaction runs in turn
    EXPECT_EQ(form.A.value(), 0);
    EXPECT_EQ(form.B.value(), 1);
    EXPECT_EQ(aClicks, 2);
    EXPECT_EQ(bClicks, 1);
}

TEST(FormControls, TextChangeReactionAndObserverRunOnlyOnRealChanges) {
    VirtualLoop loop;
    TwoBoxes form(loop);
    int changes = 0;
    std::vector<std::string> seen;
    form.T.onChange.connect([&] { ++changes; });
    form.controlObserver = [&](Control& c) { seen.push_back(c.name()); };
    form.T.setText("start");
    form.T.setText("next");
    form.T.setBackground(colours::green);
    form.T.setBackground(colours::green);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, (std::vector<std::string>{"T_TEXTBOX", "T_TEXTBOX"}));
}

TEST(FormControls, SystemColoursAreDistinctFromEveryRgbValue) {
    EXPECT_NE(colours::windowBackground, colours::buttonFace);
    EXPECT_NE(colours::windowBackground, Colour(255, 255, 255));
    EXPECT_EQ(colours::pink, Colour(255, 128, 255));
    EXPECT_NE(colours::cyan, colours::lightCyan);
}

TEST(FormControls, ControlsAndTimersAreFoundByNameAndNamesAreUnique) {
    VirtualLoop loop;
    TwoBoxes form(loop);
    EXPECT_EQ(form.control("B_TICKBOX"), &form.B);
    EXPECT_EQ(form.control("MISSING"), nullptr);
    EXPECT_THROW(TickBox(form, "A_TICKBOX"), std::logic_error);
}

TEST(FormControls, CloseRunsTheCloseBehaviourOnceAndThenTheHost) {
    VirtualLoop loop;
    TwoBoxes form(loop);
    std::vector<std::string> order;
    form.onClose.connect([&] {
        order.push_back("store");
        form.close();  // a close from inside the close behaviour is ignored
    });
    form.onClosed = [&](Form&) { order.push_back("hide"); };
    form.markOpen();
    form.close();
    EXPECT_EQ(order, (std::vector<std::string>{"store", "hide"}));
    EXPECT_FALSE(form.isOpen());
}

}  // namespace
}  // namespace syncward
