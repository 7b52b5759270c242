// The account, security, preference and read-receipt pages over the
// in-memory registry: one table of what each control state stores, checked
// both ways (a user's change writes it, a load shows it), then the rules
// around it: mouse and keyboard, dependent controls, the compaction counter,
// the load's refusals and knock-on writes, identity changes, browse buttons.

#include "core/Identities.h"
#include "core/Language.h"
#include "app/frmPrincipal.h"
#include "app/LoadSettings.h"
#include "support/RecordingRegistry.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

namespace velmora::testing {
namespace {

using namespace std::string_literals;
using platform::RegData;
using platform::RegDword;
using platform::RegSz;

const std::string kIdentityA = "{11111111-2222-3333-4444-555555555501}";
const std::string kIdentityB = "{11111111-2222-3333-4444-555555555502}";
const std::string kClientFolder = "Software\\Microsoft\\Outlook Express\\5.0";

// ------------------------------------------------------------ places

enum Where { MC, CP, Id, IdMail, IdNews, IdPol, Wab, WabFile };

struct Location {
    std::uint32_t root;
    std::string key;
};

Location At(Where where) {
    const std::string id = "Identities\\" + kIdentityA + "\\" + kClientFolder;
    const std::string wab = "Software\\Microsoft\\WAB\\WAB4";
    const Location places[] = {
        {HKLM, "Software\\Microsoft\\Outlook Express"},
        {HKLM, "SOFTWARE\\Policies\\Microsoft\\Outlook Express"},
        {HKCU, id},
        {HKCU, id + "\\Mail"},
        {HKCU, id + "\\News"},
        {HKCU, "Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Identities"},
        {HKCU, wab},
        {HKCU, wab + "\\Wab File Name"},
    };
    return places[where];
}

// ------------------------------------------------------------ the table

struct Missing {
    bool operator==(const Missing&) const = default;
};
using Stored = std::variant<Missing, std::uint32_t, std::string>;

enum Ways { Both, LoadOnly };

// Control state: a check box's 0/1/2, an option group's index, a list's
// index, a text box's text.
using State = std::variant<int, std::string>;

struct Row {
    const char* control;
    State state;
    Where where;
    const char* valueName;
    Stored stored;
    Ways ways = Both;
};

struct StateRow {
    State state;
    Stored stored;
    Ways ways = Both;
};

struct ControlRow {
    const char* control;
    Where where;
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

// One row per control state.
std::vector<Row> Catalogue() {
    std::vector<Row> rows;
    for (const ControlRow& c : kCatalogue)
        for (const StateRow& s : c.states)
            rows.push_back({c.control, s.state, c.where, c.valueName, s.stored, s.ways});
    return rows;
}

std::string Describe(const Row& row) {
    std::string text = row.control;
    text += " state ";
    text += std::holds_alternative<int>(row.state) ? std::to_string(std::get<int>(row.state))
                                                   : "\"" + std::get<std::string>(row.state) + "\"";
    text += " <-> \"";
    text += row.valueName;
    text += "\"";
    return text;
}

// ------------------------------------------------------------ the fixture

class SettingsPages : public ::testing::Test {
protected:
    SettingsPages() {
        t.program = std::make_unique<Program>(
            Services{recorder, t.files, t.profile, t.shell, t.dialogs, t.system, t.ui},
            frmPrincipal::Create);
        AddIdentity(kIdentityA, "Fran\xE7oise");
        AddIdentity(kIdentityB, "Marc");
        t.reg.WriteRegValue(HKCU, "Identities", "Last User ID", RegSz, kIdentityA);
        t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
        t.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", RegDword, 1LL);
        ServicePack("6.0.2900.2180;SP2;");
    }
    ~SettingsPages() override { t.program.reset(); }

    void AddIdentity(const std::string& guid, const std::string& name) {
        t.reg.WriteRegValue(HKCU, "Identities\\" + guid, "UserName", RegSz, name);
        t.reg.WriteRegValue(HKCU, "Identities\\" + guid, "User ID", RegSz, guid);
    }
    void ServicePack(const std::string& minorVersion) {
        t.reg.WriteRegValue(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                            "MinorVersion", RegSz, minorVersion);
    }
    void Start() {
        t.start();
        recorder.changes.clear();
    }

    ui::Form& form() { return t.program->principal(); }
    ui::Control& control(const std::string& name) { return form().control(name); }

    // What the registry holds at a place: the REG_DWORD, the REG_SZ, or nothing.
    Stored Holds(const Location& at, const std::string& name) {
        RegData data;
        if (t.registry.queryValue(at.root, at.key, name, 4096, data) != platform::RegOk)
            return Missing{};
        if (data.type == RegDword && data.bytes.size() == 4) {
            std::uint32_t number = 0;
            for (int i = 3; i >= 0; --i)
                number = number << 8 | static_cast<unsigned char>(data.bytes[i]);
            return number;
        }
        if (data.type == RegSz && !data.bytes.empty() && data.bytes.back() == '\0')
            return data.bytes.substr(0, data.bytes.size() - 1);
        return std::string("(type " + std::to_string(data.type) + ") " + data.bytes);
    }
    void Put(const Location& at, const std::string& name, const Stored& stored) {
        if (std::holds_alternative<Missing>(stored))
            t.reg.DeleteRegValue(at.root, at.key, name);
        else if (auto number = std::get_if<std::uint32_t>(&stored))
            t.registry.setValue(
                at.root, at.key, name, RegDword,
                std::string{static_cast<char>(*number), static_cast<char>(*number >> 8),
                            static_cast<char>(*number >> 16), static_cast<char>(*number >> 24)});
        else
            t.reg.WriteRegValue(at.root, at.key, name, RegSz, std::get<std::string>(stored));
    }

    // The user's change, raised as the renderer raises it.
    void MouseTicks(const std::string& name, int value) {
        form().raise(name, ui::Event::MouseDown, {.button = 1});
        control(name).userSetValue(value);
        form().raise(name, ui::Event::Click);
        form().raise(name, ui::Event::MouseUp, {.button = 1});
    }
    void KeyboardTicks(const std::string& name, int value) {
        control(name).userSetValue(value);
        form().raise(name, ui::Event::Click);
    }
    void Types(const std::string& name, const std::string& text) {
        control(name).userSetText(text);
        form().raise(name, name == "txt800" ? ui::Event::Change : ui::Event::LostFocus);
    }
    void Picks(const std::string& name, int index) {
        control(name).userSetListIndex(index);
        form().raise(name, ui::Event::Click);
    }

    std::string Lng(const char* section, const char* key) {
        return GetLngText(t.profile, section, key, t.program->LanguageFile);
    }

    TestProgram t;
    RecordingRegistry recorder{t.registry};
};

bool IsGroup(const Row& row) {
    return std::string(row.control).rfind("opt", 0) == 0;
}

// Sets a control, from code, to a state other than the row's.
void ShowOtherState(ui::Form& form, const Row& row) {
    const std::string name = row.control;
    if (IsGroup(row)) {
        for (ui::Control* option : form.elements(name))
            option->setValue(0);
        for (ui::Control* option : form.elements(name))
            if (option->index() != std::get<int>(row.state)) {
                option->setValue(1);
                break;
            }
    } else if (name.rfind("chk", 0) == 0) {
        form.control(name).setValue(std::get<int>(row.state) == 1 ? 0 : 1);
    } else if (name == "cbo200") {
        form.control(name).setListIndex(std::get<int>(row.state) == 0 ? 1 : 0);
    } else {
        form.control(name).setText(std::get<std::string>(row.state) == "7" ? "8" : "7");
    }
}

State Shown(ui::Form& form, const Row& row) {
    const std::string name = row.control;
    if (IsGroup(row)) {
        for (ui::Control* option : form.elements(name))
            if (option->value() == 1)
                return option->index();
        return -1;
    }
    if (name.rfind("chk", 0) == 0)
        return form.control(name).value();
    if (name == "cbo200")
        return form.control(name).listIndex();
    return form.control(name).text();
}

// ------------------------------------------------------------ both ways

TEST_F(SettingsPages, EveryUserChangeStoresWhatTheCatalogueSays) {
    Start();
    for (const Row& row : Catalogue()) {
        if (row.ways != Both)
            continue;
        SCOPED_TRACE(Describe(row));
        const Location at = At(row.where);
        ShowOtherState(form(), row);
        // Something else stored before, so that a write or a removal shows.
        Put(at, row.valueName,
            std::holds_alternative<Missing>(row.stored) ? Stored{77u} : Stored{Missing{}});
        recorder.changes.clear();
        const std::string name = row.control;
        if (IsGroup(row)) {
            const std::string option = ui::elementName(name, std::get<int>(row.state));
            for (ui::Control* other : form().elements(name))
                other->setValue(0);
            MouseTicks(option, 1);
        } else if (name.rfind("chk", 0) == 0) {
            MouseTicks(name, std::get<int>(row.state));
        } else if (name == "cbo200") {
            Picks(name, std::get<int>(row.state));
        } else {
            Types(name, std::get<std::string>(row.state));
        }
        EXPECT_EQ(Holds(at, row.valueName), row.stored);
        EXPECT_EQ(recorder.changes.size(), 1u) << "one write per change";
    }
}

TEST_F(SettingsPages, EveryStoredValueIsShownByTheLoad) {
    Start();
    for (const Row& row : Catalogue()) {
        SCOPED_TRACE(Describe(row));
        Put(At(row.where), row.valueName, row.stored);
        ShowOtherState(form(), row);
        LoadSettings(*t.program);
        EXPECT_EQ(Shown(form(), row), row.state);
    }
}

TEST_F(SettingsPages, OnAMachineWithoutAnyValueTheLoadShowsTheDefaults) {
    Start();
    for (const char* box : {"chk000", "chk201"})
        EXPECT_EQ(control(box).value(), 1) << box;
    EXPECT_EQ(control("chk001").value(), 2);
    for (const char* box : {"chk010", "chk011", "chk020", "chk101", "chk102", "chk103", "chk104",
                            "chk110", "chk120", "chk200", "chk202", "chk700", "chk701", "chk710",
                            "chk711", "chk712", "chk713", "chk800", "chk801"})
        EXPECT_EQ(control(box).value(), 0) << box;
    EXPECT_EQ(control("opt700(0)").value(), 1);
    EXPECT_EQ(control("opt710(0)").value(), 1);
    for (const char* none : {"opt100(3)", "opt100(4)", "opt720(1)", "opt720(2)", "opt720(4)"})
        EXPECT_EQ(control(none).value(), 0) << none;
    for (const char* box : {"txt200", "txt201", "txt202", "txt203"})
        EXPECT_EQ(control(box).text(), "") << box;
    EXPECT_EQ(control("cbo200").listIndex(), -1);
    EXPECT_EQ(control("txt800").text(), "0");
    EXPECT_EQ(Holds(At(Id), "Compact Check Count"), Stored{0u});
    EXPECT_EQ(control("lbl800").caption(),
              Lng("Onglet0", "lbl800") + " 100 " + Lng("Onglet0", "lbl800.1"));
    EXPECT_FALSE(Lng("Onglet0", "lbl800").empty());
    EXPECT_TRUE(control("chk102").enabled());
    EXPECT_TRUE(control("txt203").enabled());
    EXPECT_TRUE(control("cmd202").enabled());
}

// ------------------------------------------------------------ events

TEST_F(SettingsPages, TheKeyboardWritesOnceAsTheMouseDoes) {
    Start();
    KeyboardTicks("chk102", 1);
    EXPECT_EQ(Holds(At(IdMail), "Safe Attachments Locked"), Stored{1u});
    KeyboardTicks("chk102", 0);
    EXPECT_EQ(Holds(At(IdMail), "Safe Attachments Locked"), Stored{0u});
    control("opt720(4)").setValue(1);
    KeyboardTicks("opt720(1)", 1);
    EXPECT_EQ(Holds(At(Id), "SendMDN"), Stored{1u});
    EXPECT_EQ(recorder.names(),
              (std::vector<std::string>{"set Safe Attachments Locked",
                                        "set Safe Attachments Locked", "set SendMDN"}));

    // A mouse change raises Click between the press and the release: one write.
    recorder.changes.clear();
    MouseTicks("chk701", 1);
    MouseTicks("opt720(2)", 1);
    EXPECT_EQ(recorder.names(), (std::vector<std::string>{"set RequestMDNLocked", "set SendMDN"}));
    EXPECT_EQ(Holds(At(Id), "SendMDN"), Stored{2u});
    // Busy while writing, then back to the default pointer.
    ASSERT_GE(t.ui.pointers.size(), 2u);
    EXPECT_EQ(t.ui.pointers[t.ui.pointers.size() - 2], ui::PointerBusy);
    EXPECT_EQ(t.ui.pointers.back(), ui::PointerDefault);
}

TEST_F(SettingsPages, AReleaseOutsideAnOptionOrABoxChangesNothing) {
    Start();
    control("opt700(1)").setValue(1);
    Put(At(Id), "RequestMDN", 1u);
    // Pressed on the other option, let go elsewhere: no click, nothing chosen.
    form().raise("opt700(0)", ui::Event::MouseDown, {.button = 1});
    form().raise("opt700(0)", ui::Event::MouseUp, {.button = 1});
    EXPECT_EQ(Holds(At(Id), "RequestMDN"), Stored{1u});
    // A box pressed and let go outside stores the state it still shows.
    control("chk712").setValue(1);
    form().raise("chk712", ui::Event::MouseDown, {.button = 1});
    form().raise("chk712", ui::Event::MouseUp, {.button = 1});
    EXPECT_EQ(Holds(At(Id), "SendReceiptToListLocked"), Stored{1u});
    // The next keyboard change after such a press still writes.
    KeyboardTicks("chk712", 0);
    EXPECT_EQ(Holds(At(Id), "SendReceiptToListLocked"), Stored{0u});
}

TEST_F(SettingsPages, ChangesFromCodeWriteNothing) {
    Start();
    for (const auto& control : form().controls()) {
        if (control->kind() == ui::ControlKind::CheckBox ||
            control->kind() == ui::ControlKind::OptionButton)
            control->setValue(1);
        if (control->kind() == ui::ControlKind::TextBox)
            control->setText("123");
    }
    control("cbo200").setListIndex(2);
    EXPECT_TRUE(recorder.changes.empty());
}

TEST_F(SettingsPages, LocksGreyOutTheirNeighboursAtOnceAndOnLoad) {
    Start();
    MouseTicks("chk103", 1);
    EXPECT_FALSE(control("chk102").enabled());
    MouseTicks("chk103", 0);
    EXPECT_TRUE(control("chk102").enabled());
    Put(At(MC), "BlockExeAttachments", 1u);
    Put(At(Wab), "UseOutlook", 1u);
    LoadSettings(*t.program);
    EXPECT_FALSE(control("chk102").enabled());
    EXPECT_FALSE(control("txt203").enabled());
    EXPECT_FALSE(control("cmd202").enabled());
    // The grey state of a box is not ticked: its neighbours are usable again.
    Put(At(MC), "BlockExeAttachments", 2u);
    Put(At(Wab), "UseOutlook", 2u);
    LoadSettings(*t.program);
    EXPECT_EQ(control("chk103").value(), 2);
    EXPECT_TRUE(control("chk102").enabled());
    EXPECT_TRUE(control("txt203").enabled());
    EXPECT_TRUE(control("cmd202").enabled());
}

TEST_F(SettingsPages, AnEmptyAddressBookFileStoresNothing) {
    Start();
    Put(At(WabFile), "", kWabFile);
    Types("txt203", "");
    EXPECT_EQ(Holds(At(WabFile), ""), Stored{kWabFile});
    EXPECT_TRUE(recorder.changes.empty());
}

// ------------------------------------------------------------ the counter

TEST_F(SettingsPages, TheCounterStoresItsWholeNumberAndCountsTheClosingsLeft) {
    Start();
    const std::string left = Lng("Onglet0", "lbl800");
    const std::string outOf = Lng("Onglet0", "lbl800.1");
    struct Case {
        const char* typed;
        const char* shown;
        std::uint32_t stored;
        const char* closingsLeft; // nullptr: the offer is due
    } cases[] = {
        {"58", "58", 58, "42"},
        {"042", "42", 42, "58"},
        {"12.7", "12", 12, "88"},
        {"abc", "0", 0, "100"},
        {"", "0", 0, "100"},
        {" 7x", "7", 7, "93"},
        {"99", "99", 99, "1"},
        {"100", "100", 100, nullptr},
        {"150", "150", 150, nullptr},
        {"+5", "5", 5, "95"},
        {"2147483647", "2147483647", 2147483647u, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Types("txt800", c.typed);
        EXPECT_EQ(control("txt800").text(), c.shown);
        EXPECT_EQ(Holds(At(Id), "Compact Check Count"), Stored{c.stored});
        EXPECT_EQ(control("lbl800").caption(), c.closingsLeft
                                                   ? left + " " + c.closingsLeft + " " + outOf
                                                   : Lng("Onglet0", "lbl800.2"));
    }
}

TEST_F(SettingsPages, TheCounterRefusesNegativeAndOversizedNumbers) {
    Start();
    Types("txt800", "58");
    const std::string caption = control("lbl800").caption();
    recorder.changes.clear();

    Types("txt800", "-5");
    EXPECT_EQ(control("txt800").text(), "-5");
    EXPECT_EQ(Holds(At(Id), "Compact Check Count"), Stored{58u});
    EXPECT_EQ(control("lbl800").caption(), caption);

    for (const char* huge :
         {"2147483648", "99999999999", "-2147483649", "123456789012345678901234567890"}) {
        SCOPED_TRACE(huge);
        Types("txt800", huge);
        EXPECT_EQ(control("txt800").text(), "58") << "back to the number stored";
        EXPECT_EQ(Holds(At(Id), "Compact Check Count"), Stored{58u});
        EXPECT_EQ(control("lbl800").caption(), caption);
    }
    EXPECT_TRUE(recorder.changes.empty());
}

TEST_F(SettingsPages, TheLoadShowsTheCounterNormalisedAndStoresIt) {
    Start();
    Put(At(Id), "Compact Check Count", 7u);
    LoadSettings(*t.program);
    EXPECT_EQ(control("txt800").text(), "7");
    EXPECT_EQ(control("lbl800").caption(),
              Lng("Onglet0", "lbl800") + " 93 " + Lng("Onglet0", "lbl800.1"));
    Put(At(Id), "Compact Check Count", std::string("120 closings"));
    LoadSettings(*t.program);
    EXPECT_EQ(control("txt800").text(), "120");
    EXPECT_EQ(Holds(At(Id), "Compact Check Count"), Stored{120u});
    EXPECT_EQ(control("lbl800").caption(), Lng("Onglet0", "lbl800.2"));
    // A counter no signed 32-bit number holds is shown as stored, and left so.
    Put(At(Id), "Compact Check Count", 4294967295u);
    LoadSettings(*t.program);
    EXPECT_EQ(control("txt800").text(), "4294967295");
    EXPECT_EQ(Holds(At(Id), "Compact Check Count"), Stored{4294967295u});
    EXPECT_EQ(control("lbl800").caption(), Lng("Onglet0", "lbl800.2"));
}

// ------------------------------------------------------------ the load

TEST_F(SettingsPages, TheLoadWritesOnlyTheCounterAndTheSecurityZone) {
    Start();
    for (const Row& row : Catalogue())
        if (row.ways == Both && !std::holds_alternative<Missing>(row.stored))
            Put(At(row.where), row.valueName, row.stored);
    recorder.changes.clear();
    LoadSettings(*t.program);
    std::vector<std::string> names = recorder.names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"set Compact Check Count", "set Email Security Zone"}));
    EXPECT_EQ(Holds(At(Id), "Email Security Zone"), Stored{4u});

    // Without a zone to select, the zone is not written either.
    Put(At(Id), "Email Security Zone", Missing{});
    recorder.changes.clear();
    LoadSettings(*t.program);
    EXPECT_EQ(recorder.names(), (std::vector<std::string>{"set Compact Check Count"}));
    EXPECT_EQ(Holds(At(Id), "Email Security Zone"), Stored{Missing{}});
}

TEST_F(SettingsPages, ValuesAControlCannotTakeLeaveItAsItWas) {
    Start();
    control("chk110").setValue(1);
    control("opt100(4)").setValue(1);
    control("opt720(4)").setValue(1);
    control("opt700(1)").setValue(1);
    control("cbo200").setListIndex(2);
    control("chk000").setValue(0);
    control("chk103").setValue(1);
    control("chk102").setEnabled(false);
    Put(At(MC), "Hide Messenger", Missing{}); // -1: refused
    Put(At(Id), "Email Security Zone", 2u);   // no such option
    Put(At(Id), "SendMDN", 3u);               // no such option
    Put(At(Id), "RequestMDN", 9u);            // no such option
    Put(At(MC), "HTTP Mail Enabled", 5u);     // state 4: refused
    Put(At(MC), "BlockExeAttachments", 7u);   // refused, so its neighbour stays greyed out
    Put(At(Id), "Contact Pane Sorting", std::string("first name"));
    LoadSettings(*t.program);
    EXPECT_EQ(control("chk110").value(), 1);
    EXPECT_EQ(control("opt100(4)").value(), 1);
    EXPECT_EQ(control("opt720(4)").value(), 1);
    EXPECT_EQ(control("opt700(1)").value(), 1);
    EXPECT_EQ(control("cbo200").listIndex(), 2);
    EXPECT_EQ(control("chk000").value(), 0);
    EXPECT_EQ(control("chk103").value(), 1);
    EXPECT_FALSE(control("chk102").enabled());
    // ...and the steps after them still ran.
    EXPECT_EQ(control("opt710(0)").value(), 1);
    EXPECT_EQ(control("txt800").text(), "0");
}

TEST_F(SettingsPages, ContactSortingOutsideTheListShowsNoEntry) {
    Start();
    for (const Stored& stored : {Stored{4u}, Stored{7u}, Stored{std::string("-1")}}) {
        control("cbo200").setListIndex(1);
        Put(At(Id), "Contact Pane Sorting", stored);
        LoadSettings(*t.program);
        EXPECT_EQ(control("cbo200").listIndex(), -1);
    }
    // Missing, or no 16-bit number at all: the list keeps its entry.
    for (const Stored& stored : {Stored{Missing{}}, Stored{70000u}, Stored{std::string("2a")}}) {
        control("cbo200").setListIndex(1);
        Put(At(Id), "Contact Pane Sorting", stored);
        LoadSettings(*t.program);
        EXPECT_EQ(control("cbo200").listIndex(), 1);
    }
    Put(At(Id), "Contact Pane Sorting", std::string(" 3 "));
    LoadSettings(*t.program);
    EXPECT_EQ(control("cbo200").listIndex(), 3);
}

TEST_F(SettingsPages, CompactionControlsNeedServicePack2) {
    const char* const group[] = {"txt800", "lbl800", "lbl801", "chk800", "chk801"};
    Start();
    for (const char* name : group)
        EXPECT_TRUE(control(name).enabled()) << name;
    for (const char* version : {";SP1;", ";sp2;", "Sp2", "", "S P2"}) {
        SCOPED_TRACE(version);
        ServicePack(version);
        LoadSettings(*t.program);
        for (const char* name : group)
            EXPECT_FALSE(control(name).enabled()) << name;
    }
    ServicePack("SP2");
    LoadSettings(*t.program);
    for (const char* name : group)
        EXPECT_TRUE(control(name).enabled()) << name;
    t.reg.DeleteRegValue(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                         "MinorVersion");
    LoadSettings(*t.program);
    for (const char* name : group)
        EXPECT_FALSE(control(name).enabled()) << name;
}

TEST_F(SettingsPages, TheRestorePointChoiceIsShownInTheAboutWindowWithoutShowingIt) {
    Start();
    ui::Form& about = t.program->form("frmAbout");
    EXPECT_TRUE(about.isLoaded());
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(std::count(t.ui.events.begin(), t.ui.events.end(), "show frmAbout"), 0);
    EXPECT_EQ(about.control("chkRestaur").value(), 1);
    t.reg.DeleteRegValue(HKCU, kProgramKey, "NoRestaure");
    LoadSettings(*t.program);
    EXPECT_EQ(about.control("chkRestaur").value(), 0);
    t.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", RegDword, 7LL);
    LoadSettings(*t.program);
    EXPECT_EQ(about.control("chkRestaur").value(), 0) << "7 is no state of a box";
    EXPECT_FALSE(about.isVisible());
}

// ------------------------------------------------------------ identities

TEST(SettingsPagesWithoutIdentities, OnlyTheMachineWideSettingsAreWritten) {
    TestProgram t;
    t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
    t.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", RegDword, 1LL);
    t.start();
    ui::Form& form = t.program->principal();
    form.control("chk200").userSetValue(1);
    form.raise("chk200", ui::Event::Click);
    form.control("chk020").userSetValue(1);
    form.raise("chk020", ui::Event::Click);
    EXPECT_EQ(t.reg.EnumRegSubKey(HKCU, "Identities", 0), kNotFound);
    EXPECT_EQ(t.reg.ReadRegValue(HKLM, "Software\\Microsoft\\Outlook Express", "No Modify Accts"),
              "001");
}

// ------------------------------------------------------------ browse buttons

// A literal's bytes, the zeros inside it included.
template <std::size_t N> std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}

TEST_F(SettingsPages, BrowseButtonsAskForAFileAndStoreIt) {
    t.files.setCurrentFolder("C:\\Mes documents");
    Start();
    struct Case {
        const char* button;
        const char* box;
        Where where;
        const char* valueName;
        std::string filter;
    } cases[] = {
        {"cmd200", "txt201", Id, "FrontPagePath",
         Bytes("Fichiers HTML (htm/html)\0*.htm;*.html\0Images (jpg/gif/bmp)\0*.jpg;*.gif;*.bmp\0"
               "Web Application (hta)\0*.hta\0Tous type de fichiers\0*.*\0")},
        {"cmd201", "txt202", Id, "BodyBarPath",
         Bytes("Fichiers HTML Files (htm/html)\0*.htm;*.html\0Images (jpg/gif/bmp)\0"
               "*.jpg;*.gif;*.bmp\0Web Application (hta)\0*.hta\0Tous type de fichiers / All "
               "\0*.*\0")},
        {"cmd202", "txt203", WabFile, "", Bytes("Fichiers WAB (wab)\0*.wab\0")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        const std::string chosen = std::string("C:\\Mes documents\\choisi par ") + c.button;
        t.dialogs.answerOpenFile(chosen);
        form().raise(c.button, ui::Event::Click);
        ASSERT_FALSE(t.dialogs.openFileRequests.empty());
        const platform::OpenFileRequest request = t.dialogs.openFileRequests.back();
        EXPECT_EQ(request.title, Lng("Onglet2", "ofd200"));
        EXPECT_FALSE(request.title.empty());
        EXPECT_EQ(request.filter, c.filter);
        EXPECT_EQ(request.flags, 4u);
        EXPECT_EQ(request.initialFolder, "C:\\Mes documents");
        EXPECT_EQ(request.owner, t.ui.windowHandle(form()));
        EXPECT_NE(request.owner, 0u);
        EXPECT_EQ(control(c.box).text(), chosen);
        EXPECT_EQ(Holds(At(c.where), c.valueName), Stored{chosen});

        // Cancelled: nothing changes.
        recorder.changes.clear();
        t.dialogs.answerOpenFile("");
        form().raise(c.button, ui::Event::Click);
        EXPECT_EQ(control(c.box).text(), chosen);
        EXPECT_TRUE(recorder.changes.empty());
    }
    EXPECT_EQ(t.dialogs.openFileRequests.size(), 6u);
}

} // namespace
} // namespace velmora::testing
