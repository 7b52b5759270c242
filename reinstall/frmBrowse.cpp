#include "reinstall/frmBrowse.h"

#include "core/FileAPI.h"
#include "core/Language.h"
#include "core/Program.h"
#include "reinstall/LabelText.h"
#include "reinstall/SetupOE.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr ui::ControlKind Lbl = ui::ControlKind::Label;

const ui::ControlSpec kLayout[] = {
    {ui::ControlKind::Timer, "tmr641", -1, "", -1, {}, ""},
    {ui::ControlKind::Timer, "tmr642", -1, "", -1, {}, ""},
    {ui::ControlKind::Picture, "pbox641", -1, "", -1, {240, 240, 480, 480}, ""},
    {Lbl, "lbl641", -1, "", -1, {960, 180, 6240, 1695}, ""},
    {Lbl, "lbl642", -1, "", -1, {240, 2040, 6960, 255}, ""},
    {Lbl, "lbl643", -1, "", -1, {240, 2400, 3360, 255}, ""},
    {Lbl, "lbl644", -1, "", -1, {3720, 2400, 3480, 255}, ""},
    {ui::ControlKind::ProgressBar, "pBar641", -1, "", -1, {240, 2760, 6960, 255}, ""},
    {ui::ControlKind::ListBox, "lBox641", -1, "", -1, {240, 2040, 6960, 1020}, ""},
    {ui::ControlKind::CommandButton, "cmd642", -1, "", -1, {3960, 3240, 1560, 375}, "R\xE9parer"},
    {ui::ControlKind::CommandButton, "cmd641", -1, "", -1, {5640, 3240, 1560, 375}, "Annuler"},
};

constexpr int kFirstPicture = 105;
constexpr ui::Colour kRed = 0xFF;
constexpr ui::Colour kBlack = 0;

std::string Folded(std::string path) {
    for (char& c : path)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return path;
}

bool SameName(const std::string& a, const std::string& b) {
    return Folded(a) == Folded(b);
}

std::string UpperDrive(std::string path) {
    if (!path.empty() && path[0] >= 'a' && path[0] <= 'z')
        path[0] = static_cast<char>(path[0] - 32);
    return path;
}

} // namespace

void AutomaticSearch(Program& program) {
    program.principal().Hide();
    program.SearchStop = 0;
    program.SearchClosing = 0;
    if (!program.existingForm(kBrowseWindow))
        program.registerForm(kBrowseWindow,
                             [](Program& p) { return std::make_unique<frmBrowse>(p); });
    ui::Form& window = program.form(kBrowseWindow);
    window.Show();
    if (program.SearchClosing == 1) {
        window.Hide();
        window.Unload();
    }
}

frmBrowse::frmBrowse(Program& program)
    : ui::Form(kBrowseWindow, program.services.ui), program_(program) {
    setSize(7560, 4260);
    addFromTable(kLayout);
    control("tmr641").setInterval(200);
    control("tmr642").setInterval(50);
    control("tmr641").setEnabled(false);
    control("tmr642").setEnabled(false);
    on("tmr642", ui::Event::Timer,
       [this](ui::EventArgs&) { control("lbl642").setCaption(program_.SearchStatusText); });
    on("tmr641", ui::Event::Timer, [this](ui::EventArgs&) {
        control("pbox641").setValue(kFirstPicture + nextPicture_);
        nextPicture_ = (nextPicture_ + 1) % 4;
    });
    on("cmd641", ui::Event::Click, [this](ui::EventArgs&) {
        program_.SearchStop = -1;
        if (control("cmd641").caption() == Text("cmd633a"))
            Unload();
    });
    // The recovery from the chosen kit: the search window gives way to it.
    on("cmd642", ui::Event::Click, [this](ui::EventArgs&) {
        const ui::Control& list = control("lBox641");
        if (list.listIndex() < 0)
            return;
        const std::string kit = list.items().at(static_cast<std::size_t>(list.listIndex())) + "\\";
        Hide();
        SetupOE(program_, kit);
        Unload();
    });
}

std::string frmBrowse::Text(const std::string& key) const {
    return GetLngText(program_.services.profile, "Onglet6", key, program_.LanguageFile);
}

bool frmBrowse::Stopped() const {
    return program_.SearchStop == -1;
}

void frmBrowse::Form_Load() {
    Program& p = program_;
    if (p.SearchClosing == 1)
        return;
    control("lBox641").clearItems();
    control("lBox641").setVisible(false);
    control("cmd642").setEnabled(false);
    visited_.clear();
    if (p.SearchStop != 0) {
        ShowEnd(true);
        return;
    }
    fileName_ = "ie6setup.exe";
    const std::string br = p.LineBreak;
    Show();
    control("cmd641").setCaption(Text("cmd633"));
    control("cmd642").setCaption(Text("cmd642"));
    setCaption(Text("lbl640T"));
    control("lbl641").setCaption(std::string(22, ' ') + Text("lbl640") + br + std::string(23, ' ') +
                                 Text("lbl640a") + br + br + Text("lbl640b") + br + br +
                                 Text("lbl640c"));
    control("lbl642").setVisible(true);
    control("pbox641").setValue(kFirstPicture + 3);
    control("tmr641").setEnabled(true);
    control("tmr642").setEnabled(true);

    ListDrives();
    for (const std::string& root : drives_) {
        ui::Control& bar = control("pBar641");
        bar.setRange(0, 100);
        bar.setValue(0);
        drive_ = root;
        control("lbl643").setCaption(UpperDrive(root.substr(0, 2)));
        const std::size_t found = control("lBox641").items().size();
        control("lbl644").setCaption(std::to_string(found));
        control("lbl644").setForeColor(found == 0 ? kRed : kBlack);
        bytesSeen_ = 0;
        usedSpace_ = p.services.volumes.usedSpace(root).value_or(0);
        // Without the drive's used space the share seen is unknown.
        if (usedSpace_ == 0)
            bar.setRange(0, 0);
        SearchFolder(root, fileName_);
        if (Stopped()) {
            if (bar.max() == 100)
                bar.setValue(100);
            if (p.SearchClosing == 1)
                return;
            ShowEnd(true);
            return;
        }
    }
    ShowEnd(false);
}

void frmBrowse::Form_Unload() {
    program_.SearchStop = -1;
    program_.SearchClosing = 1;
    control("tmr641").setEnabled(false);
    control("tmr642").setEnabled(false);
    // Not while the program itself ends (a damaged kit ends it).
    ui::Form& main = program_.principal();
    if (main.isLoaded() && !main.isUnloading())
        main.Show();
}

void frmBrowse::ListDrives() {
    platform::Volumes& volumes = program_.services.volumes;
    drives_.clear();
    systemOrder_.clear();
    aliases_.clear();
    std::vector<std::string> roots = volumes.driveRoots(255);
    if (roots.size() > 100)
        roots.resize(100);
    std::string hostRoot;
    for (const std::string& root : roots) {
        if (volumes.driveType(root) <= 2)
            continue;
        systemOrder_.push_back(root);
        if (const std::string alias = volumes.rootOnHostDrive(root); !alias.empty())
            aliases_.insert(Folded(alias));
        // Wine's drive of the whole host tree comes last: it holds the
        // other drives' folders again, which are then passed over.
        if (volumes.isHostRoot(root))
            hostRoot = root;
        else
            drives_.insert(drives_.begin(), root);
    }
    if (!hostRoot.empty())
        drives_.push_back(hostRoot);
}

bool frmBrowse::FirstVisit(const std::string& folder, bool root) {
    if (aliases_.count(Folded(folder)))
        return false; // another drive searched on its own
    const auto identity = program_.services.volumes.folderIdentity(folder);
    if (!identity)
        return true; // its listing will tell whether it can be read
    // A drive's root is searched even when the system marks it a link
    // (Wine does for the drive of the host tree); a link below it is not.
    if (identity->link && !root)
        return false;
    return visited_.insert(*identity).second;
}

void frmBrowse::SearchFolder(const std::string& start, const std::string& fileName) {
    std::string folder = start;
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    if (drive_ == start && !FirstVisit(folder, true))
        return;
    ui::UiHost& host = program_.services.ui;
    const auto entries = program_.services.files.listFolder(folder);
    if (!entries)
        return;
    const std::string shown = UpperDrive(folder);
    ui::Control& bar = control("pBar641");
    std::vector<std::string> subfolders;
    for (const platform::FolderEntry& entry : *entries) {
        if (entry.attributes & platform::AttrDirectory) {
            // Links and junctions lead to folders met elsewhere, or to loops.
            if (!(entry.attributes & platform::AttrReparsePoint))
                subfolders.push_back(entry.name);
        } else {
            bytesSeen_ += static_cast<double>(entry.size);
            program_.SearchStatusText = ShortenPath(shown + entry.name, 50);
            if (usedSpace_ > 0)
                bar.setValue(static_cast<int>(
                    std::min(100.0, bytesSeen_ * 100 / static_cast<double>(usedSpace_))));
        }
        host.doEvents();
        if (Stopped())
            return;
    }
    for (const platform::FolderEntry& entry : *entries) {
        if ((entry.attributes & platform::AttrDirectory) || !SameName(entry.name, fileName))
            continue;
        host.doEvents();
        if (FileExists(program_.services.files, folder + "mailnews.cab") &&
            FileExists(program_.services.files, folder + "wab.cab"))
            CheckKitFolder(folder);
        host.doEvents();
        if (Stopped())
            return;
    }
    for (const std::string& name : subfolders) {
        const std::string path = folder + name + "\\";
        if (FirstVisit(path, false))
            SearchFolder(path, fileName);
        host.doEvents();
        if (Stopped())
            return;
    }
}

void frmBrowse::CheckKitFolder(const std::string& folder) {
    const auto version = program_.services.versions.fileVersion(folder + fileName_);
    if (!version)
        return; // no version record: not a kit that can be trusted to be 6.0
    const std::string text = std::to_string((*version)[0]) + "." + std::to_string((*version)[1]) +
                             "." + std::to_string((*version)[2]) + "." +
                             std::to_string((*version)[3]);
    if (text.compare(0, 3, "6.0") != 0)
        return;
    ui::Control& list = control("lBox641");
    list.addItem(UpperDrive(folder.substr(0, folder.size() - 1)));
    list.setListIndex(0);
    // The count is told as soon as a folder is found: a search of a large
    // drive may go on for minutes after.
    control("lbl644").setCaption(std::to_string(list.items().size()));
    control("lbl644").setForeColor(kBlack);
}

std::string frmBrowse::DriveSummary() const {
    auto name = [](const std::string& root) { return UpperDrive(root.substr(0, 2)); };
    if (systemOrder_.size() == 1)
        return Text("lbl643") + " " + name(systemOrder_.front()) + " ...";
    if (systemOrder_.empty())
        return Text("lbl643") + " ...";
    return ReplaceFirst(Text("lbl643b"), "%1", std::to_string(systemOrder_.size())) + "  " +
           name(systemOrder_.front()) + " " +
           Text(systemOrder_.size() == 2 ? "lbl622" : "lbl643a") + " " + name(systemOrder_.back());
}

void frmBrowse::ShowFound() {
    const std::string br = program_.LineBreak;
    ui::Control& list = control("lBox641");
    control("cmd642").setEnabled(true);
    list.setVisible(true);
    list.setListIndex(0);
    control("lbl641").setCaption(list.items().size() == 1
                                     ? Text("lbl642") + br + br + Text("lbl642a")
                                     : Text("lbl642b") + br + br + Text("lbl642c"));
}

void frmBrowse::ShowEnd(bool stopped) {
    const std::string br = program_.LineBreak;
    const bool found = !control("lBox641").items().empty();
    if (found)
        ShowFound();
    else if (stopped)
        control("lbl641").setCaption(Text("lbl641c") + br + br + Text("lbl642d") + br + br +
                                     Text("lbl641d"));
    else {
        control("cmd642").setVisible(false);
        control("lbl641").setCaption(ReplaceFirst(Text("lbl641"), "%1", DriveSummary()) + br + br +
                                     Text("lbl641a") + br + br + Text("lbl641d"));
    }
    for (const char* name : {"pBar641", "lbl643", "lbl644", "pbox641", "lbl642"})
        control(name).setVisible(false);
    control("tmr641").setEnabled(false);
    control("tmr642").setEnabled(false);
    control("cmd641").setCaption(Text("cmd633a"));
}

} // namespace velmora
