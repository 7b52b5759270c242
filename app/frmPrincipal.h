#pragma once
// The main window: eight pages in the tab strip SSTab1, the identity and
// about buttons, the focus holder and the hand-over label. Its load is the
// program's start-up and its unload the program's shutdown.

#include "core/Language.h"
#include "ui/model/Form.h"

#include <memory>

namespace velmora {

class Program;

class frmPrincipal : public ui::Form {
public:
    explicit frmPrincipal(Program& program);

    // What a program is built with (see Program's constructor).
    static std::unique_ptr<ui::Form> Create(Program& program);

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void FatalStop(const FatalMessage& message);

    Program& program_;
};

// Click on cmdChangeIdentite: the next identity becomes current and every
// page shows its settings.
void ChangeIdentity(Program& program);

} // namespace velmora
