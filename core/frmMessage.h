#pragma once
// The message window: one centred line while a long step runs.

#include "ui/model/Form.h"

#include <string>

namespace velmora {

inline const std::string kMessageWindow = "frmMessage";

class frmMessage : public ui::Form {
public:
    explicit frmMessage(ui::UiHost& host);

    // Shows the text in the label, centred in the window.
    void DisplayMessage(const std::string& text);
};

} // namespace velmora
