#pragma once
// The about window: the program's name and version, the language list, the
// restore-point option and the system information tool.

#include "platform/Registry.h"
#include "ui/model/Form.h"

#include <cstdint>
#include <string>

namespace velmora {

class Program;

inline const std::string kAboutWindow = "frmAbout";

class frmAbout : public ui::Form {
public:
    explicit frmAbout(Program& program);

    // Button cmdSysInfo: starts the system information tool, or says that
    // there is none.
    void StartSysInfo();

protected:
    void Form_Load() override;

private:
    Program& program_;
};

// Button cmdAbout of the main window: the about window, modally; then the
// focus goes back to the main window's focus holder.
void ShowAboutWindow(Program& program);

// The about window, loaded (without being shown) when it is not: any use of
// its controls loads it, and its load chooses the recorded language.
ui::Form& LoadedAboutWindow(Program& program);

// The about window's own registry reader: the key opened for reading and
// changing (0x2003F), the value read into 1024 bytes. False, with the empty
// text, when either fails.
bool GetKeyValue(platform::Registry& registry, std::uint32_t root, const std::string& keyName,
                 const std::string& valueName, std::string& value);

} // namespace velmora
