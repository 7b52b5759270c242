#pragma once
// The colour window: sixteen colour buttons; the one clicked hands its
// element number to the main window through lblPassage. Its buttons are
// the one table of the colours that mail rules store as an index: element
// i's background colour is colour index i (ColourOfIndex reads it).

#include "ui/model/Control.h"
#include "ui/model/Form.h"

#include <string>

namespace velmora {

class Program;

inline const std::string kColourWindow = "frmCouleur";

class frmCouleur : public ui::Form {
public:
    explicit frmCouleur(Program& program);
};

// The colour of index 1 to 16, read from the colour window's button of that
// number (the window is loaded, not shown, when it is not). Index 0 (no
// colour) and indexes without a button give kDefaultColour.
ui::Colour ColourOfIndex(Program& program, int index);

} // namespace velmora
