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

TEST(FormModel, ControlArraysAreNamedWithTheirIndexAndFoundWithoutCase) {
    velmora::testing::ScriptedUiHost host;
    Form form("frmTest", host);
    form.addFromTable(kLayout);
    EXPECT_EQ(form.control("OPT300(1)").name(), "opt300(1)");
    EXPECT_EQ(form.control("opt300", 0).caption(), "A");
    ASSERT_EQ(form.elements("opt300").size(), 2u);
    EXPECT_EQ(form.elements("opt300")[1]->index(), 1);
    EXPECT_EQ(form.find("opt999"), nullptr);
    EXPECT_THROW(form.control("opt999"), std::logic_error);
}

TEST(FormModel, TickingAnOptionClearsOnlyItsOwnGroup) {
    velmora::testing::ScriptedUiHost host;
    Form form("frmTest", host);
    form.addFromTable(kLayout);
    form["opt301"].setValue(1);
    form.control("opt300", 0).setValue(1);
    form.control("opt300", 1).userSetValue(1);
    EXPECT_EQ(form.control("opt300", 0).value(), 0);
    EXPECT_EQ(form.control("opt300", 1).value(), 1);
    EXPECT_EQ(form["opt301"].value(), 1);
}

TEST(FormModel, HandlersServeWholeArraysAndSkipDisabledControls) {
    velmora::testing::ScriptedUiHost host;
    Form form("frmTest", host);
    form.addFromTable(kLayout);
    std::vector<int> clicked;
    form.on("opt300", Event::Click, [&](EventArgs& args) { clicked.push_back(args.index); });
    form.raise("opt300(1)", Event::Click);
    form.raise("opt300(0)", Event::Click);
    form.control("opt300", 0).setEnabled(false);
    form.raise("opt300(0)", Event::Click);
    EXPECT_EQ(clicked, (std::vector<int>{1, 0}));
}

TEST(FormModel, SettingFromCodeNeverRaisesEvents) {
    velmora::testing::ScriptedUiHost host;
    Form form("frmTest", host);
    form.addFromTable(kLayout);
    int writes = 0;
    form.on("chk102", Event::Click, [&](EventArgs&) { ++writes; });
    form.on("chk102", Event::MouseUp, [&](EventArgs&) { ++writes; });
    form["chk102"].setValue(1);
    form["chk102"].setValue(2);
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(form["chk102"].value(), 2);
}
