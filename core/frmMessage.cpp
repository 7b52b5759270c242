#include "core/frmMessage.h"

#include "core/Program.h"

namespace velmora {

namespace {

// Twips; the label is placed again by every message.
const ui::ControlSpec kLayout[] = {
    {ui::ControlKind::Label,
     "lblMessage",
     -1,
     "",
     -1,
     {240, 480, 5400, 495},
     "Veuillez patienter pendant la cr\xE9"
     "ation du point de restauration..."},
};

} // namespace

frmMessage::frmMessage(ui::UiHost& host) : ui::Form(kMessageWindow, host) {
    setCaption(kApplicationTitle);
    setSize(6090, 1815);
    addFromTable(kLayout);
    control("lblMessage").setAlignment(ui::Alignment::Center);
}

void frmMessage::DisplayMessage(const std::string& text) {
    ui::Control& label = control("lblMessage");
    label.setCaption(text);
    // The label spans the window less a margin and centres its text, so the
    // text stays centred whatever its length.
    ui::Twips bounds = label.bounds();
    bounds.width = std::max(0, scaleWidth() - 2 * 240);
    bounds.left = (scaleWidth() - bounds.width) / 2;
    bounds.top = (scaleHeight() - bounds.height) / 2;
    label.setBounds(bounds);
}

} // namespace velmora
