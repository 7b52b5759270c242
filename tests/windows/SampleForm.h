#pragma once
// A form with a control of every kind the renderer knows, in containers
// and nested tab strips, with menus and a timer; it logs every event it
// receives ("Click chk102", "MouseUp opt300(2)").

#include "ui/model/Form.h"

#include <string>
#include <vector>

namespace velmora::testing {

class SampleForm : public ui::Form {
public:
    SampleForm(ui::UiHost& host, const std::string& name = "frmSample");

    // "Event name", in order; Click events of menus are logged by entry name.
    std::vector<std::string> log;
    // The value the control had when each event was logged, in order.
    std::vector<int> values;
    std::vector<ui::EventArgs> args;
    // When set, runs after logging an event (to refuse an edit, to unload...).
    std::function<void(const std::string& entry, ui::EventArgs& args)> react;

    // Entries of the log that contain `part`.
    std::vector<std::string> logged(const std::string& part) const;
    // The log without GotFocus and LostFocus.
    std::vector<std::string> withoutFocus() const;
    void clearLog();
    // The arguments of the last event logged as `entry`.
    ui::EventArgs argsOf(const std::string& entry) const;

    int loads = 0;
    int unloads = 0;
    std::function<void()> onLoad;

protected:
    void Form_Load() override;
    void Form_Unload() override { ++unloads; }
};

std::string eventName(ui::Event event);

} // namespace velmora::testing
