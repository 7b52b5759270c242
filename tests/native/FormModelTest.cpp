#include "support/ScriptedUiHost.h"
#include "ui/model/Form.h"

#include <gtest/gtest.h>

using namespace velmora::ui;

namespace {

const ControlSpec kLayout[] = {
    {ControlKind::Frame, "fra1", -1, "", -1, {120, 120, 3000, 2000}, "Frame"},
    {ControlKind::OptionButton, "opt300", 0, "fra1", -1, {240, 240, 1500, 255}, "A"},
    {ControlKind::OptionButton, "opt300", 1, "fra1", -1, {240, 540, 1500, 255}, "B"},
    {ControlKind::OptionButton, "opt301", -1, "", -1, {240, 2400, 1500, 255}, "Other group"},
    {ControlKind::CheckBox, "chk102", -1, "", -1, {240, 2800, 1500, 255}, "Check"},
};

} // namespace

TEST(FormModel, ArraysNamesOptionGroupsAndEvents) {
    velmora::testing::ScriptedUiHost host;
    Form form("frmTest", host);
    form.addFromTable(kLayout);
    // Elements are named with their index and found without case.
    EXPECT_EQ(form.control("OPT300(1)").name(), "opt300(1)");
    EXPECT_EQ(form.control("opt300", 0).caption(), "A");
    ASSERT_EQ(form.elements("opt300").size(), 2u);
    EXPECT_EQ(form.elements("opt300")[1]->index(), 1);
    EXPECT_EQ(form.find("opt999"), nullptr);
    EXPECT_THROW(form.control("opt999"), std::logic_error);

    // Handlers serve whole arrays and skip disabled controls; setting a
    // value from code raises nothing.
    std::vector<int> clicked;
    form.on("opt300", Event::Click, [&](EventArgs& args) { clicked.push_back(args.index); });
    form.on("chk102", Event::Click, [&](EventArgs&) { clicked.push_back(102); });
    form.on("chk102", Event::MouseUp, [&](EventArgs&) { clicked.push_back(102); });
    form["chk102"].setValue(2);
    // Ticking an option clears only its own group.
    form["opt301"].setValue(1);
    form.control("opt300", 0).setValue(1);
    form.control("opt300", 1).userSetValue(1);
    EXPECT_EQ((std::vector<int>{form.control("opt300", 0).value(),
                                form.control("opt300", 1).value(), form["opt301"].value()}),
              (std::vector<int>{0, 1, 1}));
    form.raise("opt300(1)", Event::Click);
    form.raise("opt300(0)", Event::Click);
    form.control("opt300", 0).setEnabled(false);
    form.raise("opt300(0)", Event::Click);
    EXPECT_EQ(clicked, (std::vector<int>{1, 0}));
    EXPECT_EQ(form["chk102"].value(), 2);
}
