#include "rules/AntiSpamPage.h"

#include "core/Program.h"

namespace velmora {

namespace {

constexpr ui::ControlKind Chk = ui::ControlKind::CheckBox;
constexpr ui::ControlKind Lbl = ui::ControlKind::Label;
constexpr ui::ControlKind Rtb = ui::ControlKind::RichText;
constexpr ui::ControlKind Cmd = ui::ControlKind::CommandButton;

// Twips from the tab strip's corner: the three criteria, each a check box
// over the box of its words, then the actions and the two rule buttons.
const ui::ControlSpec kLayout[] = {
    {Chk, "chk400", 0, "SSTab1", 4, {240, 540, 9360, 255}, "Lorsque la ligne Objet contient"},
    {Rtb, "rtb400", 0, "SSTab1", 4, {240, 825, 9360, 735}, ""},
    {Chk,
     "chk400",
     1,
     "SSTab1",
     4,
     {240, 1680, 9360, 255},
     "ou Lorsque le corps du message contient"},
    {Rtb, "rtb400", 1, "SSTab1", 4, {240, 1965, 9360, 735}, ""},
    {Chk,
     "chk400",
     2,
     "SSTab1",
     4,
     {240, 2820, 9360, 255},
     "ou lorsque l'adresse ou le nom d'exp\xE9"
     "diteur contient :"},
    {Rtb, "rtb400", 2, "SSTab1", 4, {240, 3105, 9360, 735}, ""},
    {Lbl, "lbl400", -1, "SSTab1", 4, {240, 3990, 9360, 255}, "Action"},
    {Rtb, "rtb403", -1, "SSTab1", 4, {240, 4275, 9360, 1485}, ""},
    {Cmd,
     "cmd400",
     -1,
     "SSTab1",
     4,
     {6480, 5940, 1500, 375},
     "Cr\xE9"
     "er"},
    {Cmd, "cmd401", -1, "SSTab1", 4, {8100, 5940, 1500, 375}, "Supprimer"},
};

} // namespace

void BuildAntiSpamPage(ui::Form& form, Program& program) {
    (void)program;
    form.addFromTable(kLayout);
    // The rule's commands come with the rule itself: until then nothing here
    // can be clicked.
    for (ui::Control* control : form.elements("chk400"))
        control->setEnabled(false);
    for (ui::Control* control : form.elements("rtb400"))
        control->setEnabled(false);
    for (const char* name : {"rtb403", "cmd400", "cmd401"})
        form.control(name).setEnabled(false);
}

void LoadAntiSpamStatus(Program& program) {
    (void)program;
}

} // namespace velmora
