// The account, security, preference and read-receipt pages over the
// in-memory registry: one table of what each control state stores, checked
// both ways (a user's change writes it, a load shows it), then the rules
// around it: mouse and keyboard, dependent controls, the compaction counter,
// the load's refusals and knock-on writes, browse buttons.

#include "app/frmPrincipal.h"
#include "app/LoadSettings.h"
#include "support/RecordingRegistry.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <variant>

namespace velmora::testing {
namespace {

const std::string kIdentityA = "{11111111-2222-3333-4444-555555555501}";
const std::string kClientFolder = "Software\\Microsoft\\Outlook Express\\5.0";

// ------------------------------------------------------------ places

struct Location {
    std::uint32_t root;
    std::string key;
};
const std::string kId = "Identities\\" + kIdentityA + "\\" + kClientFolder;
const Location MC{HKLM, "Software\\Microsoft\\Outlook Express"};
const Location CP{HKLM, "SOFTWARE\\Policies\\Microsoft\\Outlook Express"};
const Location Id{HKCU, kId}, IdMail{HKCU, kId + "\\Mail"}, IdNews{HKCU, kId + "\\News"};
const Location IdPol{HKCU, "Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Identities"};
const Location Wab{HKCU, "Software\\Microsoft\\WAB\\WAB4"};
const Location WabFile{HKCU, Wab.key + "\\Wab File Name"};

// ------------------------------------------------------------ the table

using Missing = std::monostate;
using Stored = std::variant<Missing, std::uint32_t, std::string>;

enum Ways { Both, LoadOnly };

// Control state: a check box's 0/1/2, an option group's index, a list's
// index, a text box's text.
using State = std::variant<int, std::string>;

struct StateRow {
    State state;
    Stored stored;
    Ways ways = Both;
};

struct ControlRow {
    const char* control;
    Location where;
    const char* valueName;
    std::vector<StateRow> states;
};

const std::string kTitle = "Courrier de Fran\xE7oise";
const std::string kStartPage = "C:\\Pages\\accueil.htm";
const std::string kPane = "C:\\Pages\\volet.html";
const std::string kWabFile = "C:\\Documents and Settings\\Fran\xE7oise\\carnet.wab";

// Each control with the states it stores; a LoadOnly state is what the load
// shows for a value no change of the user writes.
const ControlRow kCatalogue[] = {
    // Mail page
    {"chk000", MC, "HTTP Mail Enabled", {{1, 0u}, {0, 1u}, {1, Missing{}, LoadOnly}}},
    {"chk001", MC, "Disable Hotmail", {{1, 1u}, {0, 2u}, {2, Missing{}, LoadOnly}}},
    {"chk010", IdNews, "GodMode", {{1, 1u}, {0, 0u}, {0, Missing{}, LoadOnly}}},
    {"chk011", IdNews, "Moderator", {{1, 1u}, {0, 0u}}},
    {"chk020", MC, "No Modify Accts", {{1, 1u}, {0, 0u}}},
    {"txt800",
     Id,
     "Compact Check Count",
     {{"42"s, 42u}, {"150"s, 150u}, {"0"s, Missing{}, LoadOnly}}},
    {"chk800", Id, "Legacy Background Compaction", {{1, 1u}, {0, Missing{}}}},
    {"chk801", Id, "Reply At End", {{1, 1u}, {0, Missing{}}}},
    // Restrictions page
    {"chk101", Id, "Security Zone Locked", {{1, 1u}, {0, 0u}}},
    {"opt100", Id, "Email Security Zone", {{3, 3u}, {4, 4u}}},
    {"chk102", IdMail, "Safe Attachments Locked", {{1, 1u}, {0, 0u}}},
    {"chk103", MC, "BlockExeAttachments", {{1, 1u}, {0, 0u}}},
    {"chk104", IdMail, "Warn on Mapi Send Locked", {{1, 1u}, {0, 0u}}},
    {"chk110", MC, "Hide Messenger", {{1, 2u}, {0, 1u}}},
    {"chk120", IdPol, "Locked Down", {{1, 1u}, {0, 0u}}},
    // Preferences page
    {"txt200", Id, "WindowTitle", {{kTitle, kTitle}, {""s, Missing{}}}},
    {"txt201", Id, "FrontPagePath", {{kStartPage, kStartPage}, {""s, Missing{}}}},
    {"txt202", Id, "BodyBarPath", {{kPane, kPane}, {""s, Missing{}}}},
    {"txt203", WabFile, "", {{kWabFile, kWabFile}, {""s, Missing{}, LoadOnly}}},
    {"cbo200", Id, "Contact Pane Sorting", {{0, 0u}, {1, 1u}, {2, 2u}, {3, 3u}}},
    {"chk200", Id, "NoSplash", {{1, 1u}, {0, 0u}}},
    {"chk201", Id, "ShowStatus", {{1, 0u}, {0, 1u}, {1, Missing{}, LoadOnly}}},
    {"chk202", Wab, "UseOutlook", {{1, 1u}, {0, 0u}}},
    // Read receipts page
    {"chk700", Id, "RequestMDNLocked", {{1, 1u}, {0, 0u}}},
    {"chk701", CP, "RequestMDNLocked", {{1, 1u}, {0, Missing{}}}},
    {"opt700", Id, "RequestMDN", {{0, 0u}, {1, 1u}, {0, Missing{}, LoadOnly}}},
    {"chk710", Id, "SendMDNLocked", {{1, 1u}, {0, 0u}}},
    {"chk711", CP, "SendMDNLocked", {{1, 1u}, {0, Missing{}}}},
    {"opt720", Id, "SendMDN", {{2, 2u}, {4, 4u}, {1, 1u}}},
    {"chk712", Id, "SendReceiptToListLocked", {{1, 1u}, {0, 0u}}},
    {"chk713", CP, "SendReceiptToListLocked", {{1, 1u}, {0, Missing{}}}},
    {"opt710", Id, "SendReceiptToList", {{1, 1u}, {0, 0u}, {0, Missing{}, LoadOnly}}},
};

std::string Text(const State& state) {
    const int* n = std::get_if<int>(&state);
    return n ? std::to_string(*n) : "\"" + std::get<std::string>(state) + "\"";
}

// ------------------------------------------------------------ the fixture

class SettingsPages : public ::testing::Test {
protected:
    SettingsPages() {
        t.program = std::make_unique<Program>(t.services(recorder), frmPrincipal::Create);
        t.seedIdentity(kIdentityA);
        t.seedEnglish();
        ServicePack("6.0.2900.2180;SP2;");
        t.start();
        recorder.changes.clear();
    }
    ~SettingsPages() override { t.program.reset(); }

    void ServicePack(const char* minorVersion) {
        const std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
        if (minorVersion)
            t.reg.WriteRegValue(HKLM, key, "MinorVersion", RegSz, std::string(minorVersion));
        else
            t.reg.DeleteRegValue(HKLM, key, "MinorVersion");
    }
    void Load() { LoadSettings(*t.program); }

    ui::Control& control(const std::string& name) { return t.main().control(name); }

    // What the registry holds at a place: the REG_DWORD, the REG_SZ, or nothing.
    Stored Holds(const Location& at, const std::string& name) {
        RegData data;
        if (t.registry.queryValue(at.root, at.key, name, 4096, data) != platform::RegOk)
            return Missing{};
        std::uint32_t number = 0; // the bytes of a DWORD are little-endian, as the host's
        if (data.type == RegDword && data.bytes.size() == 4)
            return *static_cast<std::uint32_t*>(std::memcpy(&number, data.bytes.data(), 4));
        if (data.type == RegSz && !data.bytes.empty() && data.bytes.back() == '\0')
            return data.bytes.substr(0, data.bytes.size() - 1);
        return std::string("(type " + std::to_string(data.type) + ") " + data.bytes);
    }
    void Put(const Location& at, const std::string& name, const Stored& stored) {
        if (std::holds_alternative<Missing>(stored))
            t.reg.DeleteRegValue(at.root, at.key, name);
        else if (auto number = std::get_if<std::uint32_t>(&stored))
            t.registry.setValue(at.root, at.key, name, RegDword,
                                std::string(reinterpret_cast<const char*>(number), 4));
        else
            t.reg.WriteRegValue(at.root, at.key, name, RegSz, std::get<std::string>(stored));
    }

    // The user's change, raised as the renderer raises it.
    void MouseTicks(const std::string& name, int value) {
        t.main().raise(name, ui::Event::MouseDown, {.button = 1});
        control(name).userSetValue(value);
        t.main().raise(name, ui::Event::Click);
        t.main().raise(name, ui::Event::MouseUp, {.button = 1});
    }
    void KeyboardTicks(const std::string& name, int value) {
        control(name).userSetValue(value);
        t.main().raise(name, ui::Event::Click);
    }
    void Types(const std::string& name, const std::string& text) {
        control(name).userSetText(text);
        t.main().raise(name, name == "txt800" ? ui::Event::Change : ui::Event::LostFocus);
    }

    // A control's state set from code, and read back.
    void Show(const std::string& name, const State& state) {
        if (name.rfind("opt", 0) == 0) {
            for (ui::Control* option : t.main().elements(name))
                option->setValue(option->index() == std::get<int>(state) ? 1 : 0);
        } else if (name.rfind("chk", 0) == 0) {
            control(name).setValue(std::get<int>(state));
        } else if (name == "cbo200") {
            control(name).setListIndex(std::get<int>(state));
        } else {
            control(name).setText(std::get<std::string>(state));
        }
    }
    State Shown(const std::string& name) {
        if (name.rfind("opt", 0) == 0) {
            for (ui::Control* option : t.main().elements(name))
                if (option->value() == 1)
                    return option->index();
            return -1;
        }
        if (name.rfind("chk", 0) == 0)
            return control(name).value();
        if (name == "cbo200")
            return control(name).listIndex();
        return control(name).text();
    }
    // Another state than this one: the other box state, option, entry or text.
    void ShowOtherState(const std::string& name, const State& state) {
        if (const int* n = std::get_if<int>(&state)) {
            const auto options = t.main().elements(name); // a group's first other option
            Show(name, name.rfind("opt", 0) ? (*n == 1 ? 0 : 1)
                                            : options[options[0]->index() == *n]->index());
        } else {
            Show(name, std::get<std::string>(state) == "7" ? "8"s : "7"s);
        }
    }
    std::string ClosingsLeft(int left) {
        return Lng(*t.program, "Onglet0", "lbl800") + " " + std::to_string(left) + " " +
               Lng(*t.program, "Onglet0", "lbl800.1");
    }

    TestProgram t;
    RecordingRegistry recorder{t.registry};
};

// ------------------------------------------------------------ both ways

TEST_F(SettingsPages, EveryUserChangeStoresWhatTheCatalogueSaysAndTheLoadShowsIt) {
    for (const ControlRow& c : kCatalogue)
        for (const StateRow& row : c.states) {
            const std::string name = c.control;
            SCOPED_TRACE(name + " " + Text(row.state) + " <-> " + c.valueName);
            // The load shows the stored value...
            Put(c.where, c.valueName, row.stored);
            ShowOtherState(name, row.state);
            Load();
            EXPECT_EQ(Shown(name), row.state);
            if (row.ways != Both)
                continue;
            // ...and the user's change from another state stores it.
            ShowOtherState(name, row.state);
            // Something else stored before, so that a write or a removal shows.
            Put(c.where, c.valueName,
                std::holds_alternative<Missing>(row.stored) ? Stored{77u} : Stored{Missing{}});
            recorder.changes.clear();
            if (name.rfind("opt", 0) == 0) {
                for (ui::Control* other : t.main().elements(name))
                    other->setValue(0);
                MouseTicks(ui::elementName(name, std::get<int>(row.state)), 1);
            } else if (name.rfind("chk", 0) == 0) {
                MouseTicks(name, std::get<int>(row.state));
            } else if (name == "cbo200") {
                control(name).userSetListIndex(std::get<int>(row.state));
                t.main().raise(name, ui::Event::Click);
            } else {
                Types(name, std::get<std::string>(row.state));
            }
            EXPECT_EQ(Holds(c.where, c.valueName), row.stored);
            EXPECT_EQ(recorder.changes.size(), 1u) << "one write per change";
        }
}

TEST_F(SettingsPages, OnAMachineWithoutAnyValueTheLoadShowsTheDefaults) {
    std::string states;
    for (const ControlRow& c : kCatalogue)
        states += c.control + ("=" + Text(Shown(c.control))) + " ";
    EXPECT_EQ(states, "chk000=1 chk001=2 chk010=0 chk011=0 chk020=0 txt800=\"0\" chk800=0 chk801=0 "
                      "chk101=0 opt100=-1 chk102=0 chk103=0 chk104=0 chk110=0 chk120=0 txt200=\"\" "
                      "txt201=\"\" txt202=\"\" txt203=\"\" cbo200=-1 chk200=0 chk201=1 chk202=0 "
                      "chk700=0 chk701=0 opt700=0 chk710=0 chk711=0 opt720=-1 chk712=0 chk713=0 "
                      "opt710=0 ");
    EXPECT_EQ(Holds(Id, "Compact Check Count"), Stored{0u});
    EXPECT_EQ(control("lbl800").caption(), ClosingsLeft(100));
    EXPECT_TRUE(control("chk102").enabled() && control("txt203").enabled() &&
                control("cmd202").enabled());
}

// ------------------------------------------------------------ events

TEST_F(SettingsPages, TheKeyboardWritesOnceAsTheMouseDoesWithTheBusyPointer) {
    std::vector<Stored> stored;
    for (int value : {1, 0}) {
        KeyboardTicks("chk102", value);
        stored.push_back(Holds(IdMail, "Safe Attachments Locked"));
    }
    control("opt720(4)").setValue(1);
    KeyboardTicks("opt720(1)", 1);
    stored.push_back(Holds(Id, "SendMDN"));
    EXPECT_EQ(stored, (std::vector<Stored>{1u, 0u, 1u}));
    EXPECT_EQ(recorder.names(), (Strings{"set Safe Attachments Locked",
                                         "set Safe Attachments Locked", "set SendMDN"}));
    // Busy while writing, then back to the default pointer.
    ASSERT_GE(t.ui.pointers.size(), 2u);
    EXPECT_EQ(t.ui.pointers[t.ui.pointers.size() - 2], ui::PointerBusy);
    EXPECT_EQ(t.ui.pointers.back(), ui::PointerDefault);
}

TEST_F(SettingsPages, AReleaseOutsideAnOptionOrABoxChangesNothing) {
    control("opt700(1)").setValue(1);
    Put(Id, "RequestMDN", 1u);
    // Pressed on the other option, let go elsewhere: no click, nothing chosen.
    t.main().raise("opt700(0)", ui::Event::MouseDown, {.button = 1});
    t.main().raise("opt700(0)", ui::Event::MouseUp, {.button = 1});
    EXPECT_EQ(Holds(Id, "RequestMDN"), Stored{1u});
    // A box pressed and let go outside stores the state it still shows.
    control("chk712").setValue(1);
    t.main().raise("chk712", ui::Event::MouseDown, {.button = 1});
    t.main().raise("chk712", ui::Event::MouseUp, {.button = 1});
    EXPECT_EQ(Holds(Id, "SendReceiptToListLocked"), Stored{1u});
    // The next keyboard change after such a press still writes.
    KeyboardTicks("chk712", 0);
    EXPECT_EQ(Holds(Id, "SendReceiptToListLocked"), Stored{0u});
}

TEST_F(SettingsPages, ChangesFromCodeAndAnEmptyAddressBookFileWriteNothing) {
    for (const auto& control : t.main().controls()) {
        if (control->kind() == ui::ControlKind::CheckBox ||
            control->kind() == ui::ControlKind::OptionButton)
            control->setValue(1);
        if (control->kind() == ui::ControlKind::TextBox)
            control->setText("123");
    }
    control("cbo200").setListIndex(2);
    Put(WabFile, "", kWabFile);
    Types("txt203", "");
    EXPECT_EQ(Holds(WabFile, ""), Stored{kWabFile});
    EXPECT_TRUE(recorder.changes.empty());
}

TEST_F(SettingsPages, LocksGreyOutTheirNeighboursButNotInTheirGreyState) {
    const auto usable = [&] {
        return std::vector<bool>{control("chk102").enabled(), control("txt203").enabled(),
                                 control("cmd202").enabled()};
    };
    // A click greys and frees them at once (held by the window tests); a load
    // of the grey state does not.
    for (const auto& [lock, expected] : {std::pair{1u, false}, {2u, true}}) {
        Put(MC, "BlockExeAttachments", lock);
        Put(Wab, "UseOutlook", lock);
        Load();
        EXPECT_EQ(usable(), std::vector<bool>(3, expected)) << lock;
    }
    EXPECT_EQ(control("chk103").value(), 2);
}

// ------------------------------------------------------------ the counter

TEST_F(SettingsPages, TheCounterTypedOrLoadedStoresItsWholeNumberAndRefusesOthers) {
    // Typed and refused: nothing written, the caption kept; an oversized
    // number puts the number stored back in the box. Loaded: a counter no
    // signed 32-bit number holds is shown as stored, and left so.
    const struct {
        bool load; // the value stored before a load, or else the text typed
        Stored input;
        const char* shown;
        std::uint32_t stored;
        int closingsLeft; // 0: the offer is due
        std::size_t writes;
    } cases[] = {
        {false, "58"s, "58", 58, 42, 1},
        {false, "-5"s, "-5", 58, 42, 0},
        {false, "2147483648"s, "58", 58, 42, 0},
        {false, "99999999999"s, "58", 58, 42, 0},
        {false, "-2147483649"s, "58", 58, 42, 0},
        {false, "123456789012345678901234567890"s, "58", 58, 42, 0},
        {false, "042"s, "42", 42, 58, 1},
        {false, "12.7"s, "12", 12, 88, 1},
        {false, "abc"s, "0", 0, 100, 1},
        {false, ""s, "0", 0, 100, 1},
        {false, " 7x"s, "7", 7, 93, 1},
        {false, "99"s, "99", 99, 1, 1},
        {false, "100"s, "100", 100, 0, 1},
        {false, "+5"s, "5", 5, 95, 1},
        {false, "2147483647"s, "2147483647", 2147483647u, 0, 1},
        {true, 7u, "7", 7, 93, 1},
        {true, "120 closings"s, "120", 120, 0, 1},
        {true, 4294967295u, "4294967295", 4294967295u, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.input));
        if (c.load)
            Put(Id, "Compact Check Count", c.input);
        recorder.changes.clear();
        if (c.load)
            Load();
        else
            Types("txt800", std::get<std::string>(c.input));
        EXPECT_EQ(control("txt800").text(), c.shown);
        EXPECT_EQ(Holds(Id, "Compact Check Count"), Stored{c.stored});
        EXPECT_EQ(recorder.changes.size(), c.writes);
        EXPECT_EQ(control("lbl800").caption(), c.closingsLeft
                                                   ? ClosingsLeft(c.closingsLeft)
                                                   : Lng(*t.program, "Onglet0", "lbl800.2"));
    }
}

// ------------------------------------------------------------ the load

TEST_F(SettingsPages, TheLoadWritesOnlyTheCounterAndTheSecurityZone) {
    for (const ControlRow& c : kCatalogue)
        for (const StateRow& row : c.states)
            if (row.ways == Both && !std::holds_alternative<Missing>(row.stored))
                Put(c.where, c.valueName, row.stored);
    recorder.changes.clear();
    Load();
    Strings names = recorder.names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Strings{"set Compact Check Count", "set Email Security Zone"}));
    EXPECT_EQ(Holds(Id, "Email Security Zone"), Stored{4u});

    // Without a zone to select, the zone is not written either.
    Put(Id, "Email Security Zone", Missing{});
    recorder.changes.clear();
    Load();
    EXPECT_EQ(recorder.names(), (Strings{"set Compact Check Count"}));
}

TEST_F(SettingsPages, ValuesAControlCannotTakeLeaveItAsItWas) {
    // Each control, the state it keeps, and the value it meets.
    const std::tuple<const char*, int, Location, const char*, Stored> rows[] = {
        {"chk110", 1, MC, "Hide Messenger", Missing{}}, // -1: refused
        {"opt100", 4, Id, "Email Security Zone", 2u},   // no such option
        {"opt720", 4, Id, "SendMDN", 3u},               // no such option
        {"opt700", 1, Id, "RequestMDN", 9u},            // no such option
        {"chk000", 0, MC, "HTTP Mail Enabled", 5u},     // state 4: refused
        {"chk103", 1, MC, "BlockExeAttachments", 7u},   // its neighbour stays greyed out
    };
    for (const auto& [name, state, where, valueName, stored] : rows) {
        Show(name, state);
        Put(where, valueName, stored);
    }
    control("chk102").setEnabled(false);
    Load();
    for (const auto& [name, state, where, valueName, stored] : rows)
        EXPECT_EQ(Shown(name), State{state}) << name;
    EXPECT_FALSE(control("chk102").enabled());
    // ...and the steps after them still ran.
    EXPECT_EQ(control("opt710(0)").value(), 1);
    EXPECT_EQ(control("txt800").text(), "0");
}

TEST_F(SettingsPages, ContactSortingOutsideTheListShowsNoEntry) {
    // Missing, or no 16-bit number at all: the list keeps its entry (1).
    const std::pair<Stored, int> cases[] = {
        {4u, -1},   {"-1"s, -1},        {Missing{}, 1}, {70000u, 1},
        {"2a"s, 1}, {"first name"s, 1}, {" 3 "s, 3},
    };
    for (const auto& [stored, index] : cases) {
        control("cbo200").setListIndex(1);
        Put(Id, "Contact Pane Sorting", stored);
        Load();
        EXPECT_EQ(control("cbo200").listIndex(), index) << ::testing::PrintToString(stored);
    }
}

TEST_F(SettingsPages, CompactionControlsNeedServicePack2) {
    const std::pair<const char*, bool> cases[] = {
        {";SP1;", false}, {";sp2;", false}, {"Sp2", false},   {"", false},
        {"S P2", false},  {"SP2", true},    {nullptr, false},
    };
    for (const auto& [version, usable] : cases) {
        ServicePack(version);
        Load();
        std::vector<bool> enabled;
        for (const char* name : {"txt800", "lbl800", "lbl801", "chk800", "chk801"})
            enabled.push_back(control(name).enabled());
        EXPECT_EQ(enabled, std::vector<bool>(5, usable)) << (version ? version : "missing");
    }
}

TEST_F(SettingsPages, TheRestorePointChoiceIsShownInTheAboutWindowWithoutShowingIt) {
    ui::Form& about = t.program->form("frmAbout");
    EXPECT_TRUE(about.isLoaded());
    EXPECT_EQ(std::count(t.ui.events.begin(), t.ui.events.end(), "show frmAbout"), 0);
    std::vector<int> shown{about.control("chkRestaur").value()};
    for (Stored noRestaure : {Stored{Missing{}}, Stored{7u}}) { // 7: no state of a box
        Put({HKCU, kProgramKey}, "NoRestaure", noRestaure);
        Load();
        shown.push_back(about.control("chkRestaur").value());
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 0, 0}));
    EXPECT_FALSE(about.isVisible());
}

// ------------------------------------------------------------ browse buttons

TEST_F(SettingsPages, BrowseButtonsAskForAFileWithTheirFilterAndStoreIt) {
    t.files.setCurrentFolder("C:\\Mes documents");
    const struct {
        const char* button;
        const char* box;
        Location where;
        const char* valueName;
        std::string filter;
    } cases[] = {
        {"cmd200", "txt201", Id, "FrontPagePath",
         "Fichiers HTML (htm/html)\0*.htm;*.html\0Images (jpg/gif/bmp)\0*.jpg;*.gif;*.bmp\0"
         "Web Application (hta)\0*.hta\0Tous type de fichiers\0*.*\0"s},
        {"cmd201", "txt202", Id, "BodyBarPath",
         "Fichiers HTML Files (htm/html)\0*.htm;*.html\0Images (jpg/gif/bmp)\0"
         "*.jpg;*.gif;*.bmp\0Web Application (hta)\0*.hta\0Tous type de fichiers / All "
         "\0*.*\0"s},
        {"cmd202", "txt203", WabFile, "", "Fichiers WAB (wab)\0*.wab\0"s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        const std::string chosen = "C:\\Mes documents\\choisi par "s + c.button;
        t.dialogs.answerOpenFile(chosen);
        t.main().raise(c.button, ui::Event::Click);
        ASSERT_FALSE(t.dialogs.openFileRequests.empty());
        const platform::OpenFileRequest r = t.dialogs.openFileRequests.back();
        EXPECT_EQ(std::tie(r.title, r.filter, r.flags, r.initialFolder, r.owner),
                  std::make_tuple(Lng(*t.program, "Onglet2", "ofd200"), c.filter, 4u,
                                  "C:\\Mes documents"s, t.ui.windowHandle(t.main())));
        EXPECT_EQ(control(c.box).text(), chosen);
        EXPECT_EQ(Holds(c.where, c.valueName), Stored{chosen});
    }
    // A cancelled dialog changes nothing (held by the window tests).
}

} // namespace
} // namespace velmora::testing
