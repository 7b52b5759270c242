#pragma once
// A form with a control of every kind the renderer knows, in a frame and
// nested tab strips, with menus and a timer. It logs every event it
// receives as "Event element", then "=value" when the control's value is not
// 0, then what the event carries: "MouseUp chk102=1 1 60,90" (button and
// twips), "KeyDown txt300 65", "ColumnClick lvw1 1", "AfterLabelEdit lvw1 0
// spam", "NodeClick tvc01 commelu1". Menus are logged by entry name.

#include "ui/model/Form.h"

#include <functional>
#include <string>
#include <vector>

namespace velmora::testing {

class SampleForm : public ui::Form {
public:
    SampleForm(ui::UiHost& host, const std::string& name = "frmSample");

    std::vector<std::string> log;
    // When set, runs after logging an event, given as "Event element" (to
    // refuse an edit, to unload...).
    std::function<void(const std::string& entry, ui::EventArgs& args)> react;
    // Entries of the log that contain `part`.
    std::vector<std::string> logged(const std::string& part) const;

    int loads = 0;
    int unloads = 0;

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
};

} // namespace velmora::testing
