#include "repair/ClientFolders.h"

#include "repair/TroubleshootingPage.h"

#include "core/FileAPI.h"
#include "core/Language.h"
#include "core/Program.h"
#include "platform/Windows1252.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace velmora {

using platform::AttrDirectory;
using platform::RegDword;
using platform::RegSz;

namespace {

const std::string kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
// Longer paths (with their terminator) do not fit the system's buffers.
constexpr std::size_t kMaxPath = 260;
constexpr int kNormalWindow = 1;

// Without the missing parents, from the top: the fixed target's folders.
const char* const kTargetFolders[] = {
    "C:\\Program files",
    "C:\\Program files\\Common Files",
    "C:\\Program files\\Common Files\\Microsoft Shared",
    "C:\\Program files\\Common Files\\Microsoft Shared\\Stationery",
};

std::string StoredStationery(Program& program) {
    return program.reg.ReadRegValue(HKLM, kStationeryKey, "Stationery Folder");
}

std::string Text(Program& program, const std::string& key) {
    return GetLngText(program.services.profile, "Onglet5", key, program.LanguageFile);
}

void Notice(Program& program, const std::string& key, const std::string& details = {}) {
    std::string text = Text(program, key);
    if (!details.empty())
        text += program.LineBreak + program.LineBreak + details;
    program.services.ui.msgBox(text, ui::MbExclamation, Text(program, key + "T"));
}

std::string WithBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool IsFolder(Program& program, const std::string& path) {
    const auto attributes = program.services.files.attributes(path);
    return attributes && (*attributes & AttrDirectory);
}

// The folder of a stored value, expanded; a message and nothing when it is
// not set or not there (an undefined reference stays unexpanded and names
// no folder).
std::string ExistingFolder(Program& program, const std::string& stored) {
    if (stored == kNotFound || stored.empty()) {
        Notice(program, "msgbox501");
        return {};
    }
    const std::string folder = ExpEnvStr(program.services.files, stored);
    if (folder.size() >= kMaxPath || !IsFolder(program, folder)) {
        Notice(program, "msgbox502", folder);
        return {};
    }
    return folder;
}

// Explorer shows hidden files while it opens the folder; the user's own
// setting comes back as soon as the shell returns.
void ShowInExplorer(Program& program, const std::string& stored) {
    const std::string folder = ExistingFolder(program, stored);
    if (folder.empty())
        return;
    const long long hidden = LeadingNumber(program.reg.ReadRegValue(HKCU, kExplorerKey, "Hidden"));
    program.reg.WriteRegValue(HKCU, kExplorerKey, "Hidden", RegDword, 1LL);
    program.services.shell.execute(
        folder, "", program.services.ui.windowHandle(program.principal()), kNormalWindow);
    program.reg.WriteRegValue(HKCU, kExplorerKey, "Hidden", RegDword, hidden);
}

// A folder the move may empty: one below a drive's or a share's root. A
// root, or a path that names neither, would give away files that are no
// stationery.
bool Movable(const std::string& folder) {
    if (folder.size() > 3 && std::isalpha(static_cast<unsigned char>(folder[0])) &&
        folder.compare(1, 2, ":\\") == 0)
        return true;
    return folder.rfind("\\\\", 0) == 0 && std::count(folder.begin(), folder.end(), '\\') > 4;
}

void ShowMoveButton(Program& program, const std::string& stored) {
    program.principal().control("cmd525").setVisible(StationeryMoved(program, stored));
}

// Copies every plain file of `from` into the target; the names of those
// that could not be copied. Sub-folders stay where they are.
std::vector<std::string> CopyStationery(Program& program, const std::string& from,
                                        const std::vector<platform::FolderEntry>& entries) {
    platform::FileSystem& files = program.services.files;
    std::vector<std::string> failed;
    for (const platform::FolderEntry& entry : entries) {
        if (entry.attributes & AttrDirectory)
            continue;
        const std::string source = from + entry.name;
        const std::string target = kStationeryTarget + entry.name;
        if (source.size() >= kMaxPath || target.size() >= kMaxPath ||
            !files.copyFile(source, target, true))
            failed.push_back(entry.name);
    }
    return failed;
}

} // namespace

bool StationeryMoved(Program& program, const std::string& storedFolder) {
    platform::FileSystem& files = program.services.files;
    return !platform::cp1252::equalNoCase(ExpEnvStr(files, storedFolder),
                                          ExpEnvStr(files, kStandardStationery));
}

void LoadTroubleshootingFolders(Program& program) {
    ui::Form& form = program.principal();
    const std::string stationery = StoredStationery(program);
    form.control("txt520").setText(stationery == kNotFound ? "" : stationery);
    const std::string attachments =
        program.reg.ReadRegValue(HKCU, program.IdentityKey(), "Save Attachment Path");
    form.control("txt521").setText(attachments == kNotFound ? "" : attachments);
    if (StationeryMoved(program, stationery))
        form.control("cmd525").setVisible(true);
}

void StoreStationeryFolder(Program& program) {
    ui::Control& box = program.principal().control("txt520");
    if (!box.text().empty())
        program.reg.WriteRegValue(HKLM, kStationeryKey, "Stationery Folder", RegSz, box.text());
    const std::string stored = StoredStationery(program);
    box.setText(stored);
    ShowMoveButton(program, stored);
}

void StoreAttachmentFolder(Program& program) {
    const std::string folder = program.principal().control("txt521").text();
    if (!folder.empty())
        program.reg.WriteRegValue(HKCU, program.IdentityKey(), "Save Attachment Path", RegSz,
                                  folder);
}

void ShowStoreFolder(Program& program) {
    const std::string lastUser = program.reg.ReadRegValue(HKCU, "Identities", "Last User ID");
    ShowInExplorer(program,
                   lastUser == kNotFound
                       ? kNotFound
                       : program.reg.ReadRegValue(HKCU,
                                                  "Identities\\" + lastUser +
                                                      "\\Software\\Microsoft\\Outlook Express\\5.0",
                                                  "Store Root"));
}

void ShowStationeryFolder(Program& program) {
    ShowInExplorer(program, StoredStationery(program));
}

void MoveStationery(Program& program) {
    platform::FileSystem& files = program.services.files;
    const std::string stored = StoredStationery(program);
    const std::string current = WithBackslash(ExpEnvStr(files, stored));
    if (platform::cp1252::equalNoCase(current, kStationeryTarget))
        return;
    if (stored == kNotFound || stored.empty()) {
        Notice(program, "msgbox501");
        return;
    }
    // A folder that cannot be listed has nothing to move: the client keeps
    // pointing at it.
    const auto entries = current.size() >= kMaxPath ? std::nullopt : files.listFolder(current);
    if (!entries) {
        Notice(program, "msgbox502", current);
        return;
    }
    if (!Movable(current)) {
        Notice(program, "msgbox504", current);
        return;
    }
    if (program.services.ui.msgBox(Text(program, "msgbox500"), ui::MbYesNoExclamationNoFirst,
                                   Text(program, "msgbox500T")) != ui::ResultYes)
        return;

    std::vector<std::string> failed;
    for (const char* folder : kTargetFolders)
        if (!IsFolder(program, folder) && !files.createFolder(folder))
            failed.push_back(folder);
    if (failed.empty())
        failed = CopyStationery(program, current, *entries);

    // The client is pointed at the new folder only once it holds every file,
    // and the old one goes only then.
    if (failed.empty()) {
        const bool written = program.reg.WriteRegValue(HKLM, kStationeryKey, "Stationery Folder",
                                                       RegSz, kStationeryTarget) == 0 &&
                             program.reg.WriteRegValue(HKLM, kStationeryKey, "Backgrounds Folder",
                                                       RegSz, kStationeryTarget) == 0;
        if (written) {
            for (const platform::FolderEntry& entry : *entries)
                if (!(entry.attributes & AttrDirectory))
                    files.deleteFile(current + entry.name);
            files.removeFolder(current.substr(0, current.size() - 1));
        }
    } else {
        std::string list;
        for (const std::string& name : failed)
            list += (list.empty() ? "" : program.LineBreak) + name;
        Notice(program, "msgbox503", list);
    }

    const std::string now = StoredStationery(program);
    program.principal().control("txt520").setText(now);
    ShowMoveButton(program, now);
}

} // namespace velmora
