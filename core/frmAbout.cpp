#include "core/frmAbout.h"

#include "core/FileAPI.h"
#include "core/Language.h"
#include "core/Program.h"

namespace velmora {

using ui::ControlKind;

namespace {

// Twips.
const ui::ControlSpec kLayout[] = {
    {ControlKind::Picture, "picIcon", -1, "", -1, {240, 240, 480, 480}, ""},
    {ControlKind::Label, "lblTitle", -1, "", -1, {1080, 240, 5400, 375}, ""},
    {ControlKind::Label, "lblVersion", -1, "", -1, {1080, 660, 5400, 255}, ""},
    {ControlKind::Label, "lblDescription", -1, "", -1, {1080, 1020, 5400, 855}, ""},
    {ControlKind::Label, "lblTranslator", -1, "", -1, {1080, 1980, 5400, 255}, ""},
    {ControlKind::ComboBox, "cboLanguage", -1, "", -1, {1080, 2340, 3000, 315}, ""},
    {ControlKind::CheckBox,
     "chkRestaur",
     -1,
     "",
     -1,
     {1080, 2820, 5400, 435},
     "Ne jamais me proposer la cr\xE9"
     "ation d'un point de restauration"},
    {ControlKind::Line, "linSeparator", -1, "", -1, {240, 3420, 6240, 0}, ""},
    {ControlKind::Label, "lblDisclaimer", -1, "", -1, {240, 3540, 6240, 735}, ""},
    {ControlKind::CommandButton,
     "cmdSysInfo",
     -1,
     "",
     -1,
     {3360, 4440, 1680, 375},
     "&Infos syst\xE8me..."},
    {ControlKind::CommandButton, "cmdOK", -1, "", -1, {5160, 4440, 1320, 375}, "OK"},
};

constexpr std::size_t kKeyValueBuffer = 1024;
constexpr int kNormalFocus = 1;

} // namespace

frmAbout::frmAbout(Program& program)
    : ui::Form(kAboutWindow, program.services.ui), program_(program) {
    setSize(6810, 5340);
    setIconResource(1);
    addFromTable(kLayout);
    control("picIcon").setValue(1);
    control("lblTitle").setBold(true);
    control("lblTitle").setFontSize(12);
    control("cmdOK").setDefault(true);
    control("cmdOK").setCancel(true);

    on("cmdOK", ui::Event::Click, [this](ui::EventArgs&) { Unload(); });
    on("cmdSysInfo", ui::Event::Click, [this](ui::EventArgs&) { StartSysInfo(); });
    on("cboLanguage", ui::Event::Click,
       [this](ui::EventArgs&) { ChooseLanguage(program_, *this); });
    on("chkRestaur", ui::Event::Click, [this](ui::EventArgs&) {
        ui::BusyPointer busy(program_.services.ui);
        program_.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", platform::RegDword,
                                   control("chkRestaur").value() == 1 ? 1LL : 0LL);
    });
}

void frmAbout::Form_Load() {
    setCaption("\xC0 propos de " + kApplicationTitle);
    const platform::ProgramVersion version = program_.services.system.programVersion();
    control("lblVersion")
        .setCaption("Version " + std::to_string(version.major) + "." +
                    std::to_string(version.minor) + "." + std::to_string(version.revision));
    control("lblTitle").setCaption(kApplicationTitle);
    FillLanguageList(program_, *this);
}

void frmAbout::StartSysInfo() {
    platform::Registry& registry = program_.services.registry;
    std::string path;
    bool started = false;
    if (GetKeyValue(registry, HKLM, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path)) {
        started = program_.services.shell.start("\"" + path + "\"", kNormalFocus);
    } else if (GetKeyValue(registry, HKLM, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                           path) &&
               FileExists(program_.services.files, path + "\\MSINFO32.EXE")) {
        started = program_.services.shell.start("\"" + path + "\\MSINFO32.EXE\"", kNormalFocus);
    }
    if (!started)
        host().msgBox("Les informations syst\xE8me ne sont pas disponibles actuellement", ui::MbOk,
                      kApplicationTitle);
}

void ShowAboutWindow(Program& program) {
    program.form(kAboutWindow).Show(true);
    program.principal().control("cmdFocus").setFocus();
}

ui::Form& LoadedAboutWindow(Program& program) {
    ui::Form& about = program.form(kAboutWindow);
    about.Load();
    return about;
}

bool GetKeyValue(platform::Registry& registry, std::uint32_t root, const std::string& keyName,
                 const std::string& valueName, std::string& value) {
    value.clear();
    platform::RegData data;
    if (registry.queryValue(root, keyName, valueName, kKeyValueBuffer, data,
                            platform::RegReadAndWrite) != platform::RegOk)
        return false;
    if (data.type == platform::RegSz)
        value = TextOfData(data.bytes);
    return true;
}

} // namespace velmora
