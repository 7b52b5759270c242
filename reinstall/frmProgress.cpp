#include "reinstall/frmProgress.h"

#include "core/Language.h"
#include "core/Program.h"
#include "reinstall/PackDownload.h"
#include "reinstall/LabelText.h"

#include <chrono>

namespace velmora {

namespace {

constexpr ui::ControlKind Lbl = ui::ControlKind::Label;
constexpr ui::ControlKind Cmd = ui::ControlKind::CommandButton;

const ui::ControlSpec kLayout[] = {
    {ui::ControlKind::Animation, "Animation631", -1, "", -1, {120, 120, 4800, 900}, ""},
    {ui::ControlKind::Picture, "img631", -1, "", -1, {120, 240, 480, 480}, ""},
    {Lbl, "lbl631", -1, "", -1, {120, 1140, 6600, 255}, ""},
    {Lbl, "lbl632", -1, "", -1, {120, 1440, 6600, 255}, ""},
    {ui::ControlKind::ProgressBar, "pBar631", -1, "", -1, {120, 1800, 6600, 255}, ""},
    {Lbl, "lbl633", -1, "", -1, {120, 2160, 6600, 255}, ""},
    {Lbl, "lbl634", -1, "", -1, {120, 2460, 6600, 255}, ""},
    {Lbl, "lbl635", -1, "", -1, {120, 2760, 6600, 255}, ""},
    {Lbl, "lbl637", -1, "", -1, {120, 3060, 6600, 255}, ""},
    {ui::ControlKind::CheckBox, "cbox1", -1, "", -1, {120, 3420, 255, 255}, ""},
    {Lbl, "lbl636", -1, "", -1, {420, 3420, 6300, 255}, ""},
    {Cmd, "cmd631", -1, "", -1, {2040, 3840, 1500, 375}, "Lancer"},
    {Cmd, "cmd632", -1, "", -1, {3660, 3840, 1500, 375}, "Ouvrir le dossier"},
    {Cmd, "cmd633", -1, "", -1, {5280, 3840, 1500, 375}, "Annuler"},
    {ui::ControlKind::Timer, "Tmr631", -1, "", -1, {}, ""},
    {ui::ControlKind::Timer, "tmr632", -1, "", -1, {}, ""},
};

// The window's icons among the program's resources: data arriving (three
// frames shown at random), and at rest.
constexpr int kFirstArrivingIcon = 101;
constexpr int kIconAtRest = 104;

} // namespace

frmProgress::frmProgress(Program& program)
    : ui::Form(kProgressWindow, program.services.ui), UserControl11(program), program_(program) {
    setSize(7020, 4800);
    addFromTable(kLayout);
    control("Tmr631").setInterval(1000);
    control("Tmr631").setEnabled(false);
    control("tmr632").setInterval(200);
    control("tmr632").setEnabled(false);

    UserControl11.Complete = [this](bool success, bool told) { OnComplete(success, told); };
    UserControl11.Progress = [this](std::uint32_t, std::uint32_t) {
        SetBar(UserControl11.BarValue);
    };
    on("Tmr631", ui::Event::Timer, [this](ui::EventArgs&) { Tmr631_Timer(); });
    on("tmr632", ui::Event::Timer, [this](ui::EventArgs&) { tmr632_Timer(); });
    on("cmd631", ui::Event::Click, [this](ui::EventArgs&) { RunPack(program_); });
    on("cmd632", ui::Event::Click,
       [this](ui::EventArgs&) { program_.services.shell.open(".", program_.WorkFolder, 1); });
    on("cmd633", ui::Event::Click, [this](ui::EventArgs&) { Unload(); });
    on("lbl636", ui::Event::Click, [this](ui::EventArgs&) {
        control("cbox1").setValue(control("cbox1").value() == 1 ? 0 : 1);
    });
}

std::string frmProgress::Text(const std::string& key) const {
    return GetLngText(program_.services.profile, "Onglet6", key, program_.LanguageFile);
}

std::string frmProgress::Title(const std::string& percent) const {
    return ReplaceFirst(ReplaceFirst(Text("lbl630T"), "%1", percent), "%2", kPackFileName);
}

void frmProgress::SetBar(int value) {
    ui::Control& bar = control("pBar631");
    if (value < 0) {
        bar.setRange(0, 0); // a bar of no range runs without end: the size is unknown
        return;
    }
    if (bar.max() != 100)
        bar.setRange(0, 100);
    bar.setValue(value);
}

void frmProgress::Form_Load() {
    Program& p = program_;
    random_.seed(
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    p.DownloadSeconds = 0;
    animationState_ = 0;
    previousRead_ = 0;
    UserControl11.BytesRead = 0;
    p.DownloadSizeText.clear();
    const std::string address = PackAddress(p);
    const std::string shown = ShortenPath(p.PackLocalPath, 40);

    setCaption(Title(std::to_string(p.DownloadPercent)));
    control("lbl631").setCaption(Text("lbl631"));
    control("lbl632").setCaption(kPackFileName + " " + Text("lbl632") + " " + PackSite(p));
    control("lbl633").setCaption(ReplaceFirst(Text("lbl633"), "%1", ""));
    control("lbl634").setCaption(Text("lbl634") + std::string(10, ' ') + shown);
    control("lbl635").setCaption(ReplaceFirst(Text("lbl635"), "%1 Ko/s", ""));
    control("lbl636").setCaption(Text("lbl636"));
    control("lbl637").setVisible(false);
    for (const char* name : {"cmd631", "cmd632", "cmd633"})
        control(name).setCaption(Text(name));
    control("cmd631").setEnabled(false);
    control("cmd632").setEnabled(false);
    control("img631").setVisible(false);
    setIconResource(kIconAtRest);
    control("Animation631").setVisible(true);
    control("Animation631").openClip("shdocvw.dll", 256);
    SetBar(0);

    UserControl11.Download(address, p.PackLocalPath);
    control("Tmr631").setEnabled(true);
    control("tmr632").setEnabled(true);
}

void frmProgress::Form_Unload() {
    control("Tmr631").setEnabled(false);
    control("tmr632").setEnabled(false);
    // Closing ends a running read; its Complete must not act on this window.
    UserControl11.Complete = nullptr;
    UserControl11.Cancel();
    UserControl11.Complete = [this](bool success, bool told) { OnComplete(success, told); };
    program_.principal().Show();
}

void frmProgress::Tmr631_Timer() {
    Program& p = program_;
    if (!p.DownloadSizeText.empty()) {
        if (!p.DownloadSpeedText.empty())
            control("lbl635").setCaption(ReplaceFirst(Text("lbl635"), "%1", p.DownloadSpeedText));
        if (control("pBar631").value() < 100)
            control("lbl633").setCaption(ReplaceFirst(Text("lbl633"), "%1", p.DownloadDoneText));
        setCaption(Title(std::to_string(p.DownloadPercent)));
    }
    p.DownloadSeconds += 1;
}

void frmProgress::tmr632_Timer() {
    // The clip plays and the icon moves while bytes arrive; both rest while
    // none do.
    ui::Control& animation = control("Animation631");
    const std::uint32_t read = UserControl11.BytesRead;
    if (animationState_ == 0 && read > 0) {
        animation.play();
        animationState_ = 2;
    }
    int icon = kIconAtRest;
    if (read == previousRead_) {
        animation.stop();
        animationState_ = 1;
    } else {
        icon = kFirstArrivingIcon + std::uniform_int_distribution<int>(0, 2)(random_);
        if (animationState_ == 1) {
            animation.play();
            animationState_ = 2;
        }
    }
    setIconResource(icon);
    previousRead_ = read;
}

void frmProgress::OnComplete(bool success, bool told) {
    Program& p = program_;
    if (!success) {
        if (!told) {
            const std::string br = p.LineBreak;
            p.services.ui.msgBox(Text("msgbox631") + br + br + Text("msgbox631a") + br +
                                     Text("msgbox631b"),
                                 ui::MbCritical, Text("msgbox631T"));
        }
        Unload();
        return;
    }
    if (control("cbox1").value() == 1) {
        Unload();
        return;
    }
    control("lbl631").setCaption(Text("lbl631a"));
    control("lbl637").setCaption(Text("lbl637"));
    control("lbl637").setVisible(true);
    control("lbl633").setCaption(
        p.DownloadSizeText.empty()
            ? Text("lbl633b")
            : ReplaceFirst(ReplaceFirst(Text("lbl633a"), "%1", p.DownloadSizeText), "%2",
                           FormatDuration(p, static_cast<long>(p.DownloadSeconds))));
    setCaption(Title("100"));
    control("cmd633").setCaption(Text("cmd633a"));
    SetBar(100);
    control("Animation631").stop();
    control("Animation631").setVisible(false);
    control("img631").setVisible(true);
    control("cmd631").setEnabled(true);
    control("cmd632").setEnabled(true);
    control("Tmr631").setEnabled(false);
    control("tmr632").setEnabled(false);
}

} // namespace velmora
