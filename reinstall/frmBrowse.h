#pragma once
// The kit folder search: every fixed, network, CD-ROM and RAM drive walked
// for a folder holding ie6setup.exe of version 6.0 beside the client's two
// cabinets.

#include "platform/Volumes.h"
#include "ui/model/Form.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace velmora {

class Program;

inline const std::string kBrowseWindow = "frmBrowse";

// cmd612: hides the main window and runs the search in its window.
void AutomaticSearch(Program& program);

class frmBrowse : public ui::Form {
public:
    explicit frmBrowse(Program& program);

    // The drives in search order, as "C:\".
    const std::vector<std::string>& Drives() const { return drives_; }

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void ListDrives();
    void SearchFolder(const std::string& folder, const std::string& fileName);
    void CheckKitFolder(const std::string& folder);
    bool FirstVisit(const std::string& folder, bool root);
    void ShowFound();
    void ShowEnd(bool stopped);
    std::string DriveSummary() const;
    std::string Text(const std::string& key) const;
    bool Stopped() const;

    Program& program_;
    std::string fileName_;
    std::vector<std::string> drives_;      // search order
    std::vector<std::string> systemOrder_; // the system's order
    std::string drive_;
    std::uint64_t usedSpace_ = 0;
    double bytesSeen_ = 0;
    int nextPicture_ = 0;
    std::set<platform::FolderIdentity> visited_;
    // Other drives' roots as the host-tree drive shows them again, folded.
    std::set<std::string> aliases_;
};

} // namespace velmora
