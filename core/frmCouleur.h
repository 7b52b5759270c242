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

} // namespace velmora
