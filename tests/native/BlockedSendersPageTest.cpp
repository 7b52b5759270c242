// The blocked-senders page over the portable back-ends, where the window
// tests cannot reach cheaply: the order, types and bytes of the first load's
// writes, gaps in the names and the end of the naming scheme, bad input
// files, messages' titles and styles, large lists and a close in the middle.

#include "app/frmPrincipal.h"
#include "rules/BlockedSendersPage.h"
#include "rules/LoadBlockedList.h"
#include "rules/RuleStorage.h"
#include "app/LoadSettings.h"
#include "support/RecordingRegistry.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <tuple>

namespace velmora::testing {
namespace {

const std::string kGuid = "{1A2B3C4D-0000-4000-8000-00000000000A}";
const std::string kIdentityKey =
    "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0";
const std::string kBlockSenders = kIdentityKey + "\\Block Senders";
const std::string kMail = kBlockSenders + "\\Mail";
const std::string kCriteria = kMail + "\\Criteria";
const std::string kAction = kMail + "\\Actions\\000";

class BlockedSenders : public ::testing::Test {
protected:
    BlockedSenders() : p(*t.program), form(p.principal()) { identity(); }
    void identity() {
        p.CurrentIdentity = kGuid;
        p.LanguageFile = kEnglishFile;
    }

    std::string lng(const std::string& key) { return Lng(p, "Onglet3", key); }
    // A text with its placeholders filled in.
    std::string filled(const std::string& key, const Strings& placeholdersAndValues) {
        std::string text = lng(key);
        for (std::size_t i = 0; i + 1 < placeholdersAndValues.size(); i += 2) {
            const std::string& placeholder = placeholdersAndValues[i];
            text.replace(text.find(placeholder), placeholder.size(), placeholdersAndValues[i + 1]);
        }
        return text;
    }
    // A list as the client writes it: names, Order, rule values, action.
    void seedList(const std::string& branchKey, const Strings& names, const Strings& addresses,
                  int actionType = 7) {
        std::string order;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::string key = branchKey + "\\Criteria\\" + names[i];
            t.reg.WriteRegValue(HKCU, key, "Type", RegDword, 23LL);
            t.reg.WriteRegValue(HKCU, key, "Value", RegSz, addresses[i]);
            order += (i ? " " : "") + names[i];
        }
        t.reg.WriteRegValue(HKCU, branchKey + "\\Criteria", "Order", RegSz, order);
        t.reg.WriteRegValue(HKCU, branchKey, "Name", RegSz, std::string("Client rule"));
        t.reg.WriteRegValue(HKCU, branchKey + "\\Actions\\000", "Type", RegDword,
                            static_cast<long long>(actionType));
        t.reg.WriteRegValue(HKCU, kBlockSenders, "Version", RegDword, 0x50000LL);
    }
    void seedNumbered(int count, int skip = -1) {
        Strings names, addresses;
        for (int i = 0; i < count; ++i)
            if (i != skip) {
                names.push_back(FormatSubkeyName(i));
                addresses.push_back("user" + std::to_string(i) + "@list.example");
            }
        seedList(kMail, names, addresses);
    }
    std::string read(const std::string& key, const std::string& value) {
        return t.reg.ReadRegValue(HKCU, key, value);
    }
    // The Value of each criterion named, in order.
    Strings values(const Strings& names) {
        Strings result;
        for (const std::string& name : names)
            result.push_back(read(kCriteria + "\\" + name, "Value"));
        return result;
    }
    // A value as stored: "dword N", "sz " and its bytes, or "missing".
    std::string stored(const std::string& key, const std::string& value) {
        platform::RegData data;
        if (t.registry.queryValue(HKCU, key, value, 1 << 20, data) != platform::RegOk)
            return "missing";
        std::uint32_t number = 0; // the bytes of a DWORD are little-endian, as the host's
        if (data.type == RegDword && data.bytes.size() == 4)
            return "dword " + std::to_string(*static_cast<std::uint32_t*>(
                                  std::memcpy(&number, data.bytes.data(), 4)));
        return (data.type == RegSz ? "sz " : "type " + std::to_string(data.type) + " ") +
               data.bytes;
    }
    Strings subkeys(const std::string& key) {
        Strings names;
        for (int i = 0; t.reg.EnumRegSubKey(HKCU, key, i) != kNotFound; ++i)
            names.push_back(t.reg.EnumRegSubKey(HKCU, key, i));
        return names;
    }
    int orderCount() { return CountOrderEntries(ReadOrder(t.reg, kCriteria)); }
    std::string message(int style, const std::string& key, const std::string& text) {
        return std::to_string(style) + " " + lng(key + "T") + " | " + text;
    }
    std::string mergeQuestion() {
        return message(308, "msgbox302", filled("msgbox302", {"%menu", "Mail"}));
    }
    // The message of a load or merge that reached the end of the names.
    std::string limit(const char* stored, const char* left) {
        return message(48, "msgbox304", filled("msgbox304", {"%stored", stored, "%left", left}));
    }
    // A file of count addresses, prefix0suffix to prefix(count-1)suffix.
    static std::string numbered(const std::string& prefix, int count, const std::string& suffix) {
        std::string file;
        for (int i = 0; i < count; ++i)
            file += prefix + std::to_string(i) + suffix + "\r\n";
        return file;
    }
    // The page's program over another store of the same registry.
    std::unique_ptr<Program> programOver(platform::Registry& store) {
        auto other = std::make_unique<Program>(t.services(store), frmPrincipal::Create);
        other->CurrentIdentity = kGuid;
        other->LanguageFile = p.LanguageFile;
        return other;
    }
    // The main window loaded as at start-up, without the restore-point offer.
    void loadWindow() {
        t.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", RegDword, 1LL);
        form.Load();
        identity();
    }
    bool shown(const std::string& name) { return form.control(name).visible(); }
    bool enabled(const std::string& name) { return form.control(name).enabled(); }
    int ticked(int option) { return form.control("opt300", option).value(); }
    std::string box() { return form.control("txt300").text(); }
    std::string count() { return form.control("lbl302").caption(); }
    void mouseDown(const std::string& name, int index = -1) {
        form.raise(name, ui::Event::MouseDown, {.index = index, .button = 1});
    }
    void pickFile(const std::string& path, const std::string& bytes) {
        t.putFile(path, bytes);
        t.dialogs.answerOpenFile(path);
    }
    void merge(const std::string& path, const std::string& bytes) {
        pickFile(path, bytes);
        t.ui.answerNext(ui::ResultYes);
        mouseDown("cmd304");
    }
    // The names of the page's controls that are shown.
    std::string visible() {
        std::string names;
        for (const char* name :
             {"cmd301", "lbl306", "txt300", "cmd300", "lbl305", "cmd302", "lbl307", "cmd304",
              "lbl309", "cmd303", "lbl308", "lbl301", "Line10", "opt300(0)", "opt300(1)",
              "opt300(2)", "opt300(3)", "opt300(4)", "shp300"})
            names += shown(name) ? name + " "s : "";
        return names;
    }

    TestProgram t;
    Program& p;
    ui::Form& form;
};

// ---------------------------------------------------------------- the page

TEST_F(BlockedSenders, WithoutAnyKeyOnlyTheLoadIsOfferedAnEmptyOrderIsAnEmptyList) {
    LoadBlockedList(p);
    EXPECT_EQ(visible(), "cmd301 lbl306 ");
    EXPECT_EQ(count(), lng("lbl302.3"));
    EXPECT_EQ(form.control("lblChangeIdentite").toolTip(), "USER ID = " + kGuid);

    t.reg.WriteRegValue(HKCU, kCriteria, "Order", RegSz, std::string());
    LoadBlockedList(p);
    EXPECT_EQ(visible(), "txt300 cmd300 lbl305 cmd302 lbl307 cmd304 lbl309 cmd303 lbl308 lbl301 "
                         "Line10 opt300(0) opt300(1) opt300(2) opt300(3) opt300(4) shp300 ");
    EXPECT_EQ(box(), "");
    EXPECT_EQ(count(), "0 " + lng("lbl302"));
}

TEST_F(BlockedSenders, ListsInTheRegistrysOrderWithItsCountActionAndColour) {
    // The Order says otherwise: the page shows the enumeration order.
    seedList(kMail, {"002", "000", "001"}, {"c@z", "a@x", "b@y"}, 9);
    t.reg.WriteRegValue(HKCU, kCriteria + "\\003", "Type", RegDword, 23LL); // no Value
    LoadBlockedList(p);
    EXPECT_EQ(box(), "a@x\r\nb@y\r\nc@z\r\nNot Found");
    EXPECT_EQ(count(), "4 " + lng("lbl302"));
    EXPECT_TRUE(ticked(2) && !shown("shp300"));

    // Highlight: the colour of the colour window's table (12: yellow).
    t.reg.WriteRegValue(HKCU, kAction, "Type", RegDword, 10LL);
    t.reg.WriteRegValue(HKCU, kAction, "Value", RegDword, 12LL);
    LoadBlockedList(p);
    EXPECT_TRUE(ticked(4) && shown("shp300"));
    EXPECT_EQ(form.control("shp300").backColor(), 0x00FFFFu);
    // An action of another kind leaves the options as they were.
    t.reg.WriteRegValue(HKCU, kAction, "Type", RegDword, 13LL);
    LoadBlockedList(p);
    EXPECT_EQ(ticked(4), 1);

    // A list longer than the read buffer is still a list.
    seedNumbered(600); // an Order of 2399 characters
    ASSERT_EQ(read(kCriteria, "Order"), kNotFound);
    LoadBlockedList(p);
    EXPECT_EQ(count(), "600 " + lng("lbl302"));
}

TEST_F(BlockedSenders, SeparatorSwitchAndEnlargingGoBackOnTheSecondDoubleClick) {
    seedList(kMail, {"000", "001"}, {"a@x", "b@y"});
    LoadBlockedList(p);
    // From the designed caption, the first switch only takes the language's.
    form.control("lbl305").setCaption("Sauvegarder la liste (fichier txt retour ligne)");
    Strings seen;
    for (int i = 0; i < 3; ++i) {
        form.raise("lbl305", ui::Event::DblClick);
        seen.push_back(form.control("lbl305").caption() + "|" + box());
    }
    EXPECT_EQ(seen, (Strings{lng("lbl305") + "|a@x\r\nb@y", lng("lbl305.1") + "|a@x;b@y",
                             lng("lbl305") + "|a@x\r\nb@y"}));

    const ui::Twips designed = form.control("txt300").bounds();
    std::vector<int> bounds;
    for (int i = 0; i < 2; ++i) {
        form.raise("txt300", ui::Event::DblClick);
        const ui::Twips b = form.control("txt300").bounds();
        bounds.insert(bounds.end(), {b.left, b.top, b.width, b.height});
    }
    const ui::Twips frame = form.control("Frame1", 3).bounds();
    EXPECT_EQ(bounds, (std::vector<int>{0, 0, frame.width, frame.height, designed.left,
                                        designed.top, designed.width, designed.height}));
}

// ---------------------------------------------------------------- first load

TEST_F(BlockedSenders, FirstLoadWritesEachAddressThenTheRuleInTheTablesOrder) {
    RecordingRegistry recorder(t.registry);
    const auto recorded = programOver(recorder);
    LoadBlockedList(*recorded);
    pickFile("C:\\lists\\two.txt", " Jo@Example.COM\r\n\r\nb@y\r\n");
    t.ui.pointers.clear();
    recorded->principal().raise("cmd301", ui::Event::MouseDown);

    // Each write in order, with the type and bytes stored.
    Strings writes;
    for (const RegistryChange& c : recorder.changes)
        writes.push_back(c.key.substr(kBlockSenders.size()) + " " + c.name + " = " +
                         stored(c.key, c.name));
    EXPECT_EQ(
        writes,
        (Strings{
            "\\Mail\\Criteria\\000 Flags = dword 0", "\\Mail\\Criteria\\000 Logic = dword 1",
            "\\Mail\\Criteria\\000 Type = dword 23", "\\Mail\\Criteria\\000 ValueType = dword 30",
            "\\Mail\\Criteria\\000 Value = sz  Jo@Example.COM\0"s,
            "\\Mail\\Criteria\\001 Flags = dword 0", "\\Mail\\Criteria\\001 Logic = dword 1",
            "\\Mail\\Criteria\\001 Type = dword 23", "\\Mail\\Criteria\\001 ValueType = dword 30",
            "\\Mail\\Criteria\\001 Value = sz b@y\0"s, "\\Mail\\Criteria Order = sz 000 001\0"s,
            " Version = dword 327680", "\\Mail Enabled = dword 1", "\\Mail Version = dword 1",
            "\\Mail Name = sz Bloquer l'exp\xE9"
            "diteur\0"s,
            "\\Mail\\Actions Order = sz 000\0"s, "\\Mail\\Actions\\000 Type = dword 7",
            "\\Mail\\Actions\\000 Flags = dword 0"}));

    // The dialog, the page and the label: 2 taken of 4 entries.
    ASSERT_EQ(t.dialogs.openFileRequests.size(), 1u);
    const auto& r = t.dialogs.openFileRequests[0];
    EXPECT_EQ(std::tie(r.title, r.filter, r.flags, r.initialFolder),
              std::make_tuple(lng("OFD2_1"), lng("OFD2_2") + "\0*.txt\0"s, 4u, ""s));
    ui::Form& page = recorded->principal();
    EXPECT_EQ(page.control("txt300").text(), " Jo@Example.COM\r\nb@y");
    EXPECT_EQ(page.control("lbl302").caption(), "2 / 4 " + lng("lbl302.1"));
    EXPECT_EQ(t.ui.pointers.front(), ui::PointerBusy);
    EXPECT_EQ(t.ui.pointers.back(), ui::PointerDefault);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(BlockedSenders, AFirstLoadShowsWhatTheRegistryHoldsWhereItHoldsMoreOrTheIdentityChanged) {
    // A killed run left an address and no Order: it is listed, and kept.
    t.reg.WriteRegValue(HKCU, kCriteria + "\\000", "Value", RegSz, std::string("old@x"));
    LoadBlockedList(p);
    pickFile("C:\\lists\\two.txt", "a@x\r\nb@y\r\n");
    mouseDown("cmd301");
    EXPECT_EQ(box(), "old@x\r\na@x\r\nb@y");
    EXPECT_EQ(read(kCriteria, "Order"), "001 002");

    // An address the registry refused is not shown as stored.
    t.reg.DeleteRegTree(HKCU, kBlockSenders, "Mail");
    RecordingRegistry refusing(t.registry);
    refusing.refusedBytes = "b@y"s + '\0';
    const auto refused = programOver(refusing);
    LoadBlockedList(*refused);
    t.dialogs.answerOpenFile("C:\\lists\\two.txt");
    refused->principal().raise("cmd301", ui::Event::MouseDown);
    EXPECT_EQ(refused->principal().control("txt300").text(), "a@x\r\n" + kNotFound);

    // Another identity chosen while a long load breathes: the page shows its list.
    const std::string other = "{1A2B3C4D-0000-4000-8000-00000000000B}";
    const std::string theirs = "Identities\\" + other +
                               "\\Software\\Microsoft\\Outlook Express\\5.0\\Block "
                               "Senders\\Mail\\Criteria";
    t.reg.WriteRegValue(HKCU, theirs + "\\000", "Value", RegSz, std::string("theirs@z"));
    t.reg.WriteRegValue(HKCU, theirs, "Order", RegSz, std::string("000"));
    t.reg.DeleteRegTree(HKCU, kBlockSenders, "Mail");
    LoadBlockedList(p);
    pickFile("C:\\lists\\150.txt", numbered("s", 150, "@x"));
    t.ui.onDoEvents = [&] {
        p.CurrentIdentity = other;
        LoadBlockedList(p);
    };
    mouseDown("cmd301");
    EXPECT_EQ(box(), "theirs@z");
    EXPECT_EQ(orderCount(), 150);
}

TEST_F(BlockedSenders, BadFilesAndEntriesAreSkippedCountedAndNeverStored) {
    LoadBlockedList(p);
    mouseDown("cmd301"); // cancelled
    pickFile("C:\\lists\\none.txt", "no address\r\nhere either");
    mouseDown("cmd301");
    t.dialogs.answerOpenFile("C:\\lists\\missing.txt"); // unreadable
    mouseDown("cmd301");
    const std::string none = message(48, "msgbox301", lng("msgbox301"));
    EXPECT_EQ(t.messages(), (Strings{none, none}));
    EXPECT_TRUE(subkeys(kIdentityKey).empty());
    EXPECT_TRUE(shown("cmd301"));

    t.ui.messages.clear();
    const std::string longest = std::string(2045, 'l') + "@x";
    std::string file = "good@x\r\n";
    file += "nul\0@x\r\n"s;                       // a zero byte inside an address
    file += std::string(5 << 20, 'h') + "@x\r\n"; // one line of 5 MB
    file += longest + "z\r\n";                    // one byte too long
    file += longest + "\r\n";                     // just fits
    file += "no at sign\r\n";
    file += "\0\0\0;last@x"s;
    pickFile("C:\\lists\\bad.txt", file);
    mouseDown("cmd301");
    EXPECT_EQ(values(subkeys(kCriteria)), (Strings{"good@x", longest, "last@x"}));
    EXPECT_EQ(box(), "good@x\r\n" + longest + "\r\nlast@x"); // everything reads back
    EXPECT_EQ(count(), "3 / 8 " + lng("lbl302.1"));
    const auto skipped = [&](const char* n) {
        return Strings{message(48, "msgbox305", filled("msgbox305", {"%skipped", n}))};
    };
    EXPECT_EQ(t.messages(), skipped("3"));

    // A file of nothing but unusable addresses stores nothing and says why.
    t.ui.messages.clear();
    t.reg.DeleteRegTree(HKCU, kIdentityKey, "Block Senders");
    LoadBlockedList(p);
    pickFile("C:\\lists\\worse.txt", "a\0@b;"s + std::string(3000, 'x') + "@y");
    mouseDown("cmd301");
    EXPECT_EQ(t.messages(), skipped("2"));
    EXPECT_TRUE(subkeys(kIdentityKey).empty());
}

// ---------------------------------------------------------------- merge

TEST_F(BlockedSenders, MergeAsksFirstAndAddsOnlyNewAddressesAfterTheList) {
    seedList(kMail, {"000", "001", "002"}, {"a@x", "longname@y", "c@z"});
    LoadBlockedList(p);
    t.ui.answerNext(ui::ResultNo);
    mouseDown("cmd304");
    EXPECT_TRUE(t.dialogs.openFileRequests.empty()) << "a file dialog after No";
    merge("C:\\lists\\more.txt", "a@x\r\nname@y\r\nA@X\r\nd@w\r\nno at\r\nd@w");
    const std::string question = mergeQuestion();
    EXPECT_EQ(t.messages(), (Strings{question, question}));
    // Listed, inside a longer listed address, or repeated: skipped. Case counts.
    EXPECT_EQ(read(kCriteria, "Order"), "000 001 002 003 004");
    EXPECT_EQ(values({"003", "004"}), (Strings{"A@X", "d@w"}));
    EXPECT_EQ(read(kMail, "Name"), "Client rule"); // the rule is left as it was
    EXPECT_EQ(read(kMail, "Enabled"), kNotFound);
    EXPECT_EQ(count(), "2 / 6" + filled("lbl302.2", {"%numadr", "5"}));
    EXPECT_EQ(box(), "a@x\r\nlongname@y\r\nc@z\r\nA@X\r\nd@w");

    // An unreadable file says the list is unchanged; a cancelled dialog says nothing.
    t.ui.messages.clear();
    for (const char* answer : {"C:\\lists\\gone.txt", ""}) {
        t.dialogs.answerOpenFile(answer);
        t.ui.answerNext(ui::ResultYes);
        mouseDown("cmd304");
    }
    EXPECT_EQ(t.messages(),
              (Strings{question, message(16, "msgbox303", lng("msgbox303")), question}));
    EXPECT_EQ(read(kCriteria, "Order"), "000 001 002 003 004");
}

// ---------------------------------------------------------------- large lists

TEST_F(BlockedSenders, MergeSkipsTakenNamesFillsTheGapAfterFffAndTellsWhatWasLeftOut) {
    // 001 deleted by the client: by count from 002 (taken) to FFF, then the
    // gap; a subkey the Order does not name (005) is no free name either.
    seedList(kMail, {"000", "002"}, {"old@list.example", "Kept@x"});
    t.reg.WriteRegValue(HKCU, kCriteria + "\\005", "Value", RegSz, std::string("f@x"));
    LoadBlockedList(p);
    // Another case is added; a piece of a listed or a stored address is not,
    // nor a second copy of one left out.
    const std::string file = "kept@x\r\nold@list\r\n" + numbered("s", 20000, "@spam.example");
    std::vector<int> namesAtBreath;
    t.ui.onDoEvents = [&] { namesAtBreath.push_back(orderCount()); };
    merge("C:\\lists\\20000.txt", file + "s19999@spam.example;s4@spam");

    EXPECT_EQ(values({"003", "004", "005", "006", "FFF", "001"}),
              (Strings{"kept@x", "s0@spam.example", "f@x", "s1@spam.example", "s4090@spam.example",
                       "s4091@spam.example"}));
    const std::string order = ReadOrder(t.reg, kCriteria);
    EXPECT_EQ(CountOrderEntries(order), 4095);
    EXPECT_EQ(order.substr(0, 19) + " .." + order.substr(order.size() - 8),
              "000 002 003 004 006 .. FFF 001");
    EXPECT_EQ(t.messages(), (Strings{mergeQuestion(), limit("4093", "15908")}));
    EXPECT_EQ(count().substr(0, 13), "4093 / 20004 ");
    // 40 breaths while storing, 16 while the rest is left out, 20 reading back.
    EXPECT_EQ(namesAtBreath.size(), 76u);
    EXPECT_EQ(std::count(namesAtBreath.begin(), namesAtBreath.end(), 4095), 36);

    // Full: a further merge stores nothing and writes no name.
    t.ui.messages.clear();
    t.ui.onDoEvents = nullptr;
    merge("C:\\lists\\one.txt", "more@x");
    EXPECT_EQ(subkeys(kCriteria).size(), 4096u);
    EXPECT_EQ(t.messages(), (Strings{mergeQuestion(), limit("0", "1")}));
}

TEST_F(BlockedSenders, LargeLoadsLetTheWindowRepaintWithThePageOutOfReachAndStopAtFff) {
    LoadBlockedList(p);
    pickFile("C:\\lists\\4100.txt", numbered("sender", 4100, "@spam.example"));
    std::vector<std::size_t> boxSizes; // what the box holds at each breath
    bool locked = true, busy = true;
    t.ui.onDoEvents = [&] {
        boxSizes.push_back(box().size());
        locked = locked && !enabled("cmd302") && !enabled("hsc300") && !enabled("opt300(4)");
        busy = busy && t.ui.mousePointer() == ui::PointerBusy;
        // Whenever the window may close, every stored address is in the
        // Order and the rule is complete.
        if (t.ui.doEventsCalls % 10 == 1) {
            EXPECT_EQ(static_cast<std::size_t>(orderCount()), subkeys(kCriteria).size());
            EXPECT_EQ(read(kAction, "Type"), "007");
        }
    };
    mouseDown("cmd301");
    // The box grows batch by batch as addresses are stored; what was stored
    // into an empty branch is shown as the registry lists it, unread.
    ASSERT_EQ(boxSizes.size(), 40u);
    EXPECT_TRUE(std::is_sorted(boxSizes.begin(), boxSizes.end()));
    EXPECT_TRUE(locked);
    EXPECT_TRUE(busy);
    EXPECT_TRUE(enabled("cmd302") && enabled("opt300(4)"));
    EXPECT_EQ(subkeys(kCriteria).size(), 4096u);
    EXPECT_EQ(values({"F9F", "FFF"}),
              (Strings{"sender3999@spam.example", "sender4095@spam.example"}));
    EXPECT_EQ(count(), "4096 / 4101 " + lng("lbl302.1"));
    EXPECT_EQ(t.messages(),
              (Strings{message(48, "msgbox304",
                               filled("msgbox304", {"%stored", "4096", "%left", "4"}))}));
    const std::string shown = box();
    LoadBlockedList(p);
    EXPECT_EQ(box(), shown);
}

TEST_F(BlockedSenders, AfterACloseInTheMiddleMergeAddsTheRestWithThePageLockedThroughout) {
    loadWindow();
    LoadBlockedList(p);
    const std::string file = numbered("s", 250, "@x");
    pickFile("C:\\lists\\250.txt", file);
    t.ui.onDoEvents = [&] { form.Unload(); };
    mouseDown("cmd301");
    EXPECT_EQ(t.ui.doEventsCalls, 1);
    EXPECT_EQ(orderCount(), 100);
    EXPECT_TRUE(t.ui.messages.empty());

    // A settings load (the identity button) during the merge leaves the page locked.
    loadWindow();
    LoadBlockedList(p);
    bool locked = true;
    t.ui.doEventsCalls = 0;
    t.ui.onDoEvents = [&] {
        if (t.ui.doEventsCalls == 1)
            LoadSettings(p);
        locked = locked && !enabled("cmd303") && !enabled("opt300(4)");
    };
    merge("C:\\lists\\250.txt", file);
    EXPECT_GT(t.ui.doEventsCalls, 2);
    EXPECT_TRUE(locked) << "a command could start in the middle of the merge";
    EXPECT_TRUE(enabled("cmd303") && enabled("opt300(4)"));
    EXPECT_EQ(orderCount(), 250);
    EXPECT_EQ(values({"0F9"}), (Strings{"s249@x"}));
}

TEST_F(BlockedSenders, ALongListIsReadWithTheWindowBreathingAndSortedEvenIfItCloses) {
    seedNumbered(450);
    bool locked = true;
    t.ui.onDoEvents = [&] { locked = locked && !enabled("cmd303"); };
    LoadSettings(p);
    EXPECT_EQ(t.ui.doEventsCalls, 2) << "a breath every 200 addresses";
    EXPECT_TRUE(locked);
    EXPECT_TRUE(enabled("cmd303"));
    EXPECT_EQ(count(), "450 " + lng("lbl302"));
    EXPECT_EQ(box().substr(box().rfind('\n') + 1), "user449@list.example");

    // Another identity chosen while the list is read: its own list is what
    // the page shows in the end, not the rest of the first one.
    const std::string other = "{1A2B3C4D-0000-4000-8000-00000000000B}";
    seedList("Identities\\" + other +
                 "\\Software\\Microsoft\\Outlook Express\\5.0\\Block Senders\\Mail",
             {"000"}, {"only@other.example"});
    t.ui.doEventsCalls = 0;
    t.ui.onDoEvents = [&] {
        if (p.CurrentIdentity != other) {
            p.CurrentIdentity = other;
            LoadSettings(p);
        }
    };
    p.CurrentIdentity = kGuid;
    LoadSettings(p);
    EXPECT_EQ(t.ui.doEventsCalls, 1);
    EXPECT_EQ(box(), "only@other.example");
    EXPECT_TRUE(enabled("cmd303"));

    // A sort closed in the middle still finishes, by character code:
    // "user0@", "user1@", "user10@", ...
    loadWindow();
    LoadBlockedList(p);
    t.ui.doEventsCalls = 0;
    t.ui.onDoEvents = [&] { form.Unload(); };
    form.raise("cmd303", ui::Event::Click);
    const Strings sorted = values(subkeys(kCriteria));
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    EXPECT_EQ(std::set<std::string>(sorted.begin(), sorted.end()).size(), 450u);
    EXPECT_EQ(t.ui.doEventsCalls, 1);
}

// ---------------------------------------------------------------- delete, sort, save

TEST_F(BlockedSenders, DeleteAsksWithNoPreselectedSortWritesBackWhatWasTypedSaveWritesTheBox) {
    seedList(kMail, {"000", "001", "002"}, {"b@x", "A@x", "a@x"});
    form.control("lbl305").setCaption(lng("lbl305"));
    LoadBlockedList(p);
    mouseDown("cmd302"); // unanswered: the default button, No
    EXPECT_EQ(t.messages(), (Strings{message(308, "msgbox300", lng("msgbox300"))}));
    EXPECT_EQ(read(kCriteria, "Order"), "000 001 002");

    // Fewer pieces leave the rest; a surplus piece is dropped.
    form.control("txt300").userSetText("z@x\r\ny@x");
    form.raise("cmd303", ui::Event::Click);
    EXPECT_EQ(box(), "y@x\r\nz@x\r\na@x");
    form.control("txt300").userSetText("3@x\r\n2@x\r\n1@x\r\n0@x");
    form.raise("cmd303", ui::Event::Click);
    EXPECT_EQ(box(), "0@x\r\n1@x\r\n2@x");
    EXPECT_EQ(values({"000", "001", "002"}), (Strings{"0@x", "1@x", "2@x"}));
    EXPECT_EQ(read(kCriteria, "Order"), "000 001 002");

    // Save, over a longer file, then with the other separator; cancelled: nothing.
    pickFile("C:\\out\\old.txt", std::string(100, 'o'));
    mouseDown("cmd300");
    form.raise("lbl305", ui::Event::DblClick);
    t.dialogs.answerOpenFile("C:\\out\\semi.txt");
    mouseDown("cmd300");
    mouseDown("cmd300");
    EXPECT_EQ(t.files.readFile("C:\\out\\old.txt"), "0@x\r\n1@x\r\n2@x");
    EXPECT_EQ(t.files.readFile("C:\\out\\semi.txt"), "0@x;1@x;2@x");
    EXPECT_EQ(t.dialogs.openFileRequests[0].title, lng("OFD1_1"));
    EXPECT_EQ(t.ui.pointers.back(), ui::PointerDefault);
}

// ---------------------------------------------------------------- the action

TEST_F(BlockedSenders, ActionsAndTheColourWindowClosedWithoutAPick) {
    // The pick of a colour is the window tests'.
    seedList(kMail, {"000"}, {"a@x"});
    LoadBlockedList(p);
    const auto action = [&] {
        return stored(kAction, "Type") + ", " + stored(kAction, "Value") + ", " +
               stored(kAction, "ValueType");
    };
    t.ui.onModal("frmCouleur", [&](ui::Form& colours) {
        EXPECT_EQ(form.control("lblPassage").caption(), "0");
        EXPECT_EQ(t.ui.mousePointer(), ui::PointerDefault);
        colours.Unload();
    });
    mouseDown("opt300", 4);
    EXPECT_EQ(action(), "dword 10, dword 0, dword 19");
    EXPECT_TRUE(shown("shp300"));
    Strings actions;
    for (int option : {0, 1, 2, 3}) {
        mouseDown("opt300", option);
        actions.push_back(std::to_string(ticked(option)) + " " + action());
    }
    EXPECT_EQ(actions, (Strings{"1 dword 7, missing, missing", "1 dword 8, missing, missing",
                                "1 dword 9, missing, missing", "1 dword 11, missing, missing"}));
    EXPECT_FALSE(shown("shp300"));

    // From the keyboard: a Click alone writes a new choice, and the Click
    // that follows a mouse press changes nothing more.
    const auto modals = [&] {
        return std::count(t.ui.events.begin(), t.ui.events.end(), "modal frmCouleur");
    };
    const auto before = modals();
    form.raise("opt300(2)", ui::Event::Click);
    EXPECT_EQ(stored(kAction, "Type"), "dword 9");
    form.raise("opt300(4)", ui::Event::Click);
    form.raise("opt300(4)", ui::Event::Click);
    EXPECT_EQ(modals(), before + 1);
}

} // namespace
} // namespace velmora::testing
