#include "core/CRestorePoint.h"
#include "core/Language.h"
#include "core/Program.h"
#include "core/frmMessage.h"

namespace velmora {

namespace {

// The message window, shown while the point is made and unloaded however
// the making ends.
class WaitMessage {
public:
    explicit WaitMessage(Program& program)
        : program_(program), window_(static_cast<frmMessage&>(program.form(kMessageWindow))) {
        window_.Show();
    }
    ~WaitMessage() { window_.Unload(); }
    WaitMessage(const WaitMessage&) = delete;
    WaitMessage& operator=(const WaitMessage&) = delete;

    void display(const std::string& key) {
        window_.DisplayMessage(
            GetLngText(program_.services.profile, "RESTAURATION", key, program_.LanguageFile));
        program_.services.ui.doEvents(); // let it paint
    }

private:
    Program& program_;
    frmMessage& window_;
};

} // namespace

void CreateRestorePoint(Program& program) {
    CSystemRestore restore(program.services.restore, program.services.files);
    std::unique_ptr<CRestorePoint> point;
    try {
        WaitMessage message(program);
        message.display("lbl000");
        point =
            restore.BeginRestorePoint(kModifySettings, "Restore Point for " + kApplicationTitle);
        message.display("lbl003");
    } catch (const RestorePointError& error) {
        program.services.ui.msgBox(error.what(), ui::MbCritical, kApplicationTitle);
        return;
    }
    try {
        point->EndRestorePoint();
    } catch (const RestorePointError& error) {
        program.services.ui.msgBox(error.what(), ui::MbCritical, kApplicationTitle);
    }
}

} // namespace velmora
