#include "core/frmCouleur.h"

#include "core/Program.h"

namespace velmora {

namespace {

constexpr ui::Colour Rgb(unsigned red, unsigned green, unsigned blue) {
    return red | (green << 8) | (blue << 16);
}

struct Swatch {
    int element;
    ui::Colour colour;
};

// In the order they stand, eight to a row.
const Swatch kSwatches[] = {
    {16, Rgb(255, 255, 255)}, {1, Rgb(0, 0, 0)},     {2, Rgb(128, 0, 0)},
    {3, Rgb(0, 128, 0)},      {4, Rgb(128, 128, 0)}, {5, Rgb(0, 0, 128)},
    {6, Rgb(128, 0, 128)},    {7, Rgb(0, 128, 128)}, {8, Rgb(128, 128, 128)},
    {9, Rgb(192, 192, 192)},  {10, Rgb(255, 0, 0)},  {11, Rgb(0, 255, 0)},
    {12, Rgb(255, 255, 0)},   {13, Rgb(0, 0, 255)},  {14, Rgb(255, 0, 255)},
    {15, Rgb(0, 255, 255)},
};

// Twips.
constexpr int kMargin = 120;
constexpr int kPitch = 480;
constexpr int kSide = 375;
constexpr int kPerRow = 8;

} // namespace

frmCouleur::frmCouleur(Program& program) : ui::Form(kColourWindow, program.services.ui) {
    setCaption("Choisissez parmi une de ces couleurs");
    // Inner area: the two rows and the margins; the frame adds 90 by 360.
    setSize(2 * kMargin + (kPerRow - 1) * kPitch + kSide + 90, 2 * kMargin + kPitch + kSide + 360);
    // Element 0 exists but is never shown.
    ui::Control& hidden = add(ui::ControlKind::CommandButton, "cmdCoul", 0);
    hidden.setBounds({kMargin, kMargin, kSide, kSide});
    hidden.setVisible(false);
    for (std::size_t i = 0; i < std::size(kSwatches); ++i) {
        const int row = static_cast<int>(i) / kPerRow;
        const int column = static_cast<int>(i) % kPerRow;
        ui::Control& button = add(ui::ControlKind::CommandButton, "cmdCoul", kSwatches[i].element);
        button.setBounds({kMargin + column * kPitch, kMargin + row * kPitch, kSide, kSide});
        button.setBackColor(kSwatches[i].colour);
    }
    on("cmdCoul", ui::Event::Click, [this, &program](ui::EventArgs& args) {
        program.principal().control("lblPassage").setCaption(std::to_string(args.index));
        Unload();
    });
}

ui::Colour ColourOfIndex(Program& program, int index) {
    if (index <= 0)
        return ui::kDefaultColour;
    ui::Form& colours = program.form(kColourWindow);
    colours.Load();
    const ui::Control* button = colours.find(ui::elementName("cmdCoul", index));
    return button ? button->backColor() : ui::kDefaultColour;
}

} // namespace velmora
