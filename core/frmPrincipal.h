#pragma once
// The main window: eight pages in the tab strip SSTab1, the identity and
// about buttons, the focus holder and the hand-over label. Its load is the
// program's start-up and its unload the program's shutdown.

#include "ui/model/Form.h"

#include <string>

namespace velmora {

class Program;

class frmPrincipal : public ui::Form {
public:
    explicit frmPrincipal(Program& program);

    // The three fatal stops of start-up, in both languages.
    struct FatalMessage {
        std::string title;
        std::string text;
    };
    static FatalMessage MissingLanguageFolder(const std::string& lineBreak);
    static FatalMessage NoLanguageFile(const std::string& lineBreak);
    static FatalMessage MissingLanguageFile(const std::string& language,
                                            const std::string& lineBreak);

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void FatalStop(const FatalMessage& message);

    Program& program_;
};

} // namespace velmora
