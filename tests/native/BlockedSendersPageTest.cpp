// The blocked-senders page over the portable back-ends: its two states, the
// switches, and every command with its confirmations, file dialogs and
// registry writes (order, types and bytes), gaps in the names, the end of
// the naming scheme, bad input files, large lists and a close in the middle.

#include "core/Language.h"
#include "app/frmPrincipal.h"
#include "rules/BlockedSendersPage.h"
#include "rules/LoadBlockedList.h"
#include "rules/RuleStorage.h"
#include "app/LoadSettings.h"
#include "support/RecordingRegistry.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora::testing {
namespace {

using platform::RegData;
using platform::RegDword;
using platform::RegSz;
using Strings = std::vector<std::string>;

const std::string kGuid = "{1A2B3C4D-0000-4000-8000-00000000000A}";
const std::string kIdentityKey =
    "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0";
const std::string kBlockSenders = kIdentityKey + "\\Block Senders";
const std::string kMail = kBlockSenders + "\\Mail";
const std::string kNews = kBlockSenders + "\\News";

// A colour as the colour window's table holds it (COLORREF).
ui::Colour Rgb(int r, int g, int b) {
    return static_cast<ui::Colour>(r | (g << 8) | (b << 16));
}

class BlockedSenders : public ::testing::Test {
protected:
    BlockedSenders() : p(*t.program), form(p.principal()) {
        p.CurrentIdentity = kGuid;
        p.LanguageFile = kTestProgramFolder + "\\language\\English.lng";
    }

    std::string lng(const std::string& key) {
        return GetLngText(t.profile, "Onglet3", key, p.LanguageFile);
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
    void seedNumbered(const std::string& branchKey, int count, int skip = -1) {
        Strings names, addresses;
        for (int i = 0; i < count; ++i)
            if (i != skip) {
                names.push_back(FormatSubkeyName(i));
                addresses.push_back("user" + std::to_string(i) + "@list.example");
            }
        seedList(branchKey, names, addresses);
    }
    std::string read(const std::string& key, const std::string& value) {
        return t.reg.ReadRegValue(HKCU, key, value);
    }
    RegData raw(const std::string& key, const std::string& value) {
        RegData data;
        data.type = 0xFFFF;
        t.registry.queryValue(HKCU, key, value, 1 << 20, data);
        return data;
    }
    Strings subkeys(const std::string& key) {
        Strings names;
        for (int i = 0;; ++i) {
            const std::string name = t.reg.EnumRegSubKey(HKCU, key, i);
            if (name == kNotFound)
                return names;
            names.push_back(name);
        }
    }
    // The main window loaded as at start-up, without the restore-point offer.
    void loadWindow() {
        t.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", RegDword, 1LL);
        form.Load();
        p.CurrentIdentity = kGuid;
        p.LanguageFile = kTestProgramFolder + "\\language\\English.lng";
    }
    bool shown(const std::string& name) { return form.control(name).visible(); }
    std::string box() { return form.control("txt300").text(); }
    std::string count() { return form.control("lbl302").caption(); }
    void mouseDown(const std::string& name, int index = -1) {
        ui::EventArgs args;
        args.index = index;
        args.button = 1;
        form.raise(name, ui::Event::MouseDown, args);
    }
    void pickFile(const std::string& path, const std::string& bytes) {
        t.putFile(path, bytes);
        t.dialogs.answerOpenFile(path);
    }

    TestProgram t;
    Program& p;
    ui::Form& form;
};

const char* const kListOnly[] = {"txt300", "cmd300", "lbl305", "cmd302", "lbl307", "cmd304",
                                 "lbl309", "cmd303", "lbl308", "lbl301", "Line10"};

// ---------------------------------------------------------------- the page

TEST_F(BlockedSenders, WithoutAnyBlockSendersKeyOnlyTheLoadIsOffered) {
    LoadBlockedList(p);
    EXPECT_TRUE(shown("cmd301"));
    EXPECT_TRUE(shown("lbl306"));
    for (const char* name : kListOnly)
        EXPECT_FALSE(shown(name)) << name;
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(form.control("opt300", i).visible());
    EXPECT_FALSE(shown("shp300"));
    EXPECT_EQ(count(), lng("lbl302.3"));
    EXPECT_EQ(form.control("lblChangeIdentite").toolTip(), "USER ID = " + kGuid);
}

TEST_F(BlockedSenders, AnEmptyOrderIsAnEmptyListOfCountZero) {
    t.reg.WriteRegValue(HKCU, kMail + "\\Criteria", "Order", RegSz, std::string());
    LoadBlockedList(p);
    EXPECT_FALSE(shown("cmd301"));
    for (const char* name : kListOnly)
        EXPECT_TRUE(shown(name)) << name;
    EXPECT_EQ(box(), "");
    EXPECT_EQ(count(), "0 " + lng("lbl302"));
}

TEST_F(BlockedSenders, ListsInTheRegistrysOrderWithItsCountAndAction) {
    // The Order says otherwise: the page shows the enumeration order.
    seedList(kMail, {"002", "000", "001"}, {"c@z", "a@x", "b@y"}, 9);
    t.reg.WriteRegValue(HKCU, kMail + "\\Criteria\\003", "Type", RegDword, 23LL); // no Value
    LoadBlockedList(p);
    EXPECT_EQ(box(), "a@x\r\nb@y\r\nc@z\r\nNot Found");
    EXPECT_EQ(count(), "4 " + lng("lbl302"));
    EXPECT_EQ(form.control("opt300", 2).value(), 1);
    EXPECT_FALSE(shown("shp300"));
}

TEST_F(BlockedSenders, HighlightShowsTheColourOfTheColourWindow) {
    seedList(kMail, {"000"}, {"a@x"}, 10);
    t.reg.WriteRegValue(HKCU, kMail + "\\Actions\\000", "Value", RegDword, 12LL);
    seedList(kNews, {"000"}, {"n@x"}, 7);
    LoadBlockedList(p);
    EXPECT_EQ(form.control("opt300", 4).value(), 1);
    EXPECT_TRUE(shown("shp300"));
    EXPECT_EQ(form.control("shp300").backColor(), Rgb(255, 255, 0));

    // The switch: any value but 0 is news.
    form.control("hsc300").userSetValue(2);
    form.raise("hsc300", ui::Event::Change);
    EXPECT_EQ(box(), "n@x");
    form.control("hsc300").userSetValue(0);
    form.raise("hsc300", ui::Event::Change);

    // An action of another kind leaves the options as they were.
    t.reg.WriteRegValue(HKCU, kMail + "\\Actions\\000", "Type", RegDword, 13LL);
    LoadBlockedList(p);
    EXPECT_EQ(form.control("opt300", 4).value(), 1);
}

TEST_F(BlockedSenders, AListLongerThanTheReadBufferIsStillAList) {
    seedNumbered(kMail, 600); // an Order of 2399 characters
    ASSERT_EQ(read(kMail + "\\Criteria", "Order"), kNotFound);
    LoadBlockedList(p);
    EXPECT_EQ(count(), "600 " + lng("lbl302"));
    EXPECT_FALSE(shown("cmd301"));
}

TEST_F(BlockedSenders, SeparatorSwitchAndEnlargingGoBackOnTheSecondDoubleClick) {
    seedList(kMail, {"000", "001"}, {"a@x", "b@y"});
    LoadBlockedList(p);
    // From the designed caption, the first switch only takes the language's.
    form.control("lbl305").setCaption("Sauvegarder la liste (fichier txt retour ligne)");
    form.raise("lbl305", ui::Event::DblClick);
    EXPECT_EQ(form.control("lbl305").caption(), lng("lbl305"));
    EXPECT_EQ(box(), "a@x\r\nb@y");

    const ui::Twips frame = form.control("Frame1", 3).bounds();
    form.raise("txt300", ui::Event::DblClick);
    const ui::Twips big = form.control("txt300").bounds();
    EXPECT_EQ((std::vector<int>{big.left, big.top, big.width, big.height}),
              (std::vector<int>{0, 0, frame.width, frame.height}));
    form.raise("txt300", ui::Event::DblClick);
    const ui::Twips back = form.control("txt300").bounds();
    EXPECT_EQ((std::vector<int>{back.left, back.top, back.width, back.height}),
              (std::vector<int>{240, 600, 2415, 3195}));
}

// ---------------------------------------------------------------- first load

TEST_F(BlockedSenders, FirstLoadWritesEachAddressThenTheRuleInTheTablesOrder) {
    RecordingRegistry recorder(t.registry);
    Program recorded(Services{recorder, t.files, t.profile, t.shell, t.dialogs, t.system, t.ui},
                     frmPrincipal::Create);
    recorded.CurrentIdentity = kGuid;
    recorded.LanguageFile = p.LanguageFile;
    LoadBlockedList(recorded);
    pickFile("C:\\lists\\two.txt", " Jo@Example.COM\r\n\r\nb@y\r\n");
    t.ui.pointers.clear();
    recorded.principal().raise("cmd301", ui::Event::MouseDown);

    // Each write in order, with the type and bytes stored: the entry
    // untouched with its zero, numbers as DWORDs.
    const std::string c0 = kMail + "\\Criteria\\000", c1 = kMail + "\\Criteria\\001";
    const std::string action = kMail + "\\Actions\\000";
    const std::string zero("\0\0\0\0", 4), one("\1\0\0\0", 4);
    const std::string type("\x17\0\0\0", 4), valueType("\x1E\0\0\0", 4);
    const struct {
        std::string key, name;
        std::uint32_t type;
        std::string bytes;
    } writes[] = {
        {c0, "Flags", RegDword, zero},
        {c0, "Logic", RegDword, one},
        {c0, "Type", RegDword, type},
        {c0, "ValueType", RegDword, valueType},
        {c0, "Value", RegSz, std::string(" Jo@Example.COM\0", 16)},
        {c1, "Flags", RegDword, zero},
        {c1, "Logic", RegDword, one},
        {c1, "Type", RegDword, type},
        {c1, "ValueType", RegDword, valueType},
        {c1, "Value", RegSz, std::string("b@y\0", 4)},
        {kMail + "\\Criteria", "Order", RegSz, std::string("000 001\0", 8)},
        {kBlockSenders, "Version", RegDword, std::string("\0\0\5\0", 4)},
        {kMail, "Enabled", RegDword, one},
        {kMail, "Version", RegDword, one},
        {kMail, "Name", RegSz,
         std::string("Bloquer l'exp\xE9"
                     "diteur\0",
                     21)},
        {kMail + "\\Actions", "Order", RegSz, std::string("000\0", 4)},
        {action, "Type", RegDword, std::string("\7\0\0\0", 4)},
        {action, "Flags", RegDword, zero},
    };
    ASSERT_EQ(recorder.changes.size(), std::size(writes));
    for (std::size_t i = 0; i < std::size(writes); ++i) {
        const auto& w = writes[i];
        SCOPED_TRACE(w.key + " : " + w.name);
        EXPECT_EQ(recorder.changes[i].key + " : " + recorder.changes[i].name,
                  w.key + " : " + w.name);
        EXPECT_EQ(recorder.changes[i].type, w.type);
        EXPECT_EQ(raw(w.key, w.name).type, w.type);
        EXPECT_EQ(raw(w.key, w.name).bytes, w.bytes);
    }

    // The dialog, the page and the label: 2 taken of 4 entries.
    ASSERT_EQ(t.dialogs.openFileRequests.size(), 1u);
    const auto& request = t.dialogs.openFileRequests[0];
    EXPECT_EQ(request.title, lng("OFD2_1"));
    EXPECT_EQ(request.filter, lng("OFD2_2") + std::string("\0*.txt\0", 7));
    EXPECT_EQ(request.flags, 4u);
    EXPECT_EQ(request.initialFolder, "");
    ui::Form& page = recorded.principal();
    EXPECT_EQ(page.control("txt300").text(), " Jo@Example.COM\r\nb@y");
    EXPECT_EQ(page.control("lbl302").caption(), "2 / 4 " + lng("lbl302.1"));
    EXPECT_FALSE(page.control("cmd301").visible());
    EXPECT_EQ(page.control("opt300", 0).value(), 1);
    EXPECT_EQ(t.ui.pointers.front(), ui::PointerBusy);
    EXPECT_EQ(t.ui.pointers.back(), ui::PointerDefault);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(BlockedSenders, FirstLoadWithoutAddressesOrFileWritesNothing) {
    LoadBlockedList(p);
    mouseDown("cmd301"); // cancelled
    EXPECT_TRUE(t.ui.messages.empty());

    pickFile("C:\\lists\\none.txt", "no address\r\nhere either");
    mouseDown("cmd301");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, lng("msgbox301"));
    EXPECT_EQ(t.ui.messages[0].title, lng("msgbox301T"));
    EXPECT_EQ(t.ui.messages[0].style, 48);

    // A file that cannot be read says so too.
    t.dialogs.answerOpenFile("C:\\lists\\missing.txt");
    mouseDown("cmd301");
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[1].text, lng("msgbox301"));
    EXPECT_TRUE(subkeys(kIdentityKey).empty());
    EXPECT_TRUE(shown("cmd301"));
}

TEST_F(BlockedSenders, BadEntriesAreSkippedCountedAndNeverStored) {
    LoadBlockedList(p);
    const std::string longest = std::string(2045, 'l') + "@x";
    std::string file = "good@x\r\n";
    file += std::string("nul\0@x\r\n", 8);        // a zero byte inside an address
    file += std::string(5 << 20, 'h') + "@x\r\n"; // one line of 5 MB
    file += longest + "z\r\n";                    // one byte too long
    file += longest + "\r\n";                     // just fits
    file += "no at sign\r\n";
    file += std::string("\0\0\0", 3) + ";last@x";
    pickFile("C:\\lists\\bad.txt", file);
    mouseDown("cmd301");

    EXPECT_EQ(subkeys(kMail + "\\Criteria"), (Strings{"000", "001", "002"}));
    EXPECT_EQ(read(kMail + "\\Criteria\\000", "Value"), "good@x");
    EXPECT_EQ(read(kMail + "\\Criteria\\001", "Value"), longest);
    EXPECT_EQ(read(kMail + "\\Criteria\\002", "Value"), "last@x");
    EXPECT_EQ(box(), "good@x\r\n" + longest + "\r\nlast@x"); // everything reads back
    EXPECT_EQ(count(), "3 / 8 " + lng("lbl302.1"));
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text.substr(0, 2), "3 ");
    EXPECT_EQ(t.ui.messages[0].title, lng("msgbox305T"));
    EXPECT_EQ(t.ui.messages[0].style, 48);

    // A file of nothing but unusable addresses stores nothing and says why.
    t.ui.messages.clear();
    t.reg.DeleteRegTree(HKCU, kIdentityKey, "Block Senders");
    LoadBlockedList(p);
    pickFile("C:\\lists\\worse.txt", std::string("a\0@b;", 5) + std::string(3000, 'x') + "@y");
    mouseDown("cmd301");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].title, lng("msgbox305T"));
    EXPECT_EQ(t.ui.messages[0].text.substr(0, 2), "2 ");
    EXPECT_TRUE(subkeys(kIdentityKey).empty());
}

// ---------------------------------------------------------------- merge

TEST_F(BlockedSenders, MergeAsksFirstAndAddsOnlyNewAddressesAfterTheList) {
    seedList(kMail, {"000", "001", "002"}, {"a@x", "longname@y", "c@z"});
    LoadBlockedList(p);
    pickFile("C:\\lists\\more.txt", "a@x\r\nname@y\r\nA@X\r\nd@w\r\nno at\r\nd@w");

    t.ui.answerNext(ui::ResultNo);
    mouseDown("cmd304");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    const ShownMessage& question = t.ui.messages[0];
    EXPECT_EQ(question.style, 308);
    EXPECT_EQ(question.title, lng("msgbox302T"));
    std::string expected = lng("msgbox302");
    expected.replace(expected.find("%menu"), 5, "Mail");
    EXPECT_EQ(question.text, expected);
    EXPECT_TRUE(t.dialogs.openFileRequests.empty()); // No: no dialog
    EXPECT_EQ(subkeys(kMail + "\\Criteria").size(), 3u);

    t.ui.answerNext(ui::ResultYes);
    mouseDown("cmd304");
    ASSERT_EQ(t.dialogs.openFileRequests.size(), 1u);
    EXPECT_EQ(t.dialogs.openFileRequests[0].title, lng("OFD3_1"));
    // Listed, inside a longer listed address, or repeated: skipped. Case counts.
    EXPECT_EQ(read(kMail + "\\Criteria", "Order"), "000 001 002 003 004");
    EXPECT_EQ(read(kMail + "\\Criteria\\003", "Value"), "A@X");
    EXPECT_EQ(read(kMail + "\\Criteria\\004", "Value"), "d@w");
    EXPECT_EQ(read(kMail + "\\Criteria\\004", "Type"), "023");
    EXPECT_EQ(read(kMail, "Name"), "Client rule"); // the rule is left as it was
    EXPECT_EQ(read(kMail, "Enabled"), kNotFound);
    std::string label = lng("lbl302.2");
    label.replace(label.find("%numadr"), 7, "5");
    EXPECT_EQ(count(), "2 / 6" + label);
    EXPECT_EQ(box(), "a@x\r\nlongname@y\r\nc@z\r\nA@X\r\nd@w");
}

TEST_F(BlockedSenders, MergeNeverWritesOverAnAddressWhereTheClientLeftAGap) {
    // 001 was deleted by the client: numbering by count would give 003.
    seedList(kMail, {"000", "002", "003"}, {"a@x", "c@x", "d@x"});
    // A subkey the Order does not name is no free name either.
    t.reg.WriteRegValue(HKCU, kMail + "\\Criteria\\005", "Value", RegSz, std::string("f@x"));
    LoadBlockedList(p);
    pickFile("C:\\lists\\new.txt", "n1@x;n2@x;n3@x");
    t.ui.answerNext(ui::ResultYes);
    mouseDown("cmd304");
    EXPECT_EQ(read(kMail + "\\Criteria\\003", "Value"), "d@x");
    EXPECT_EQ(read(kMail + "\\Criteria\\005", "Value"), "f@x");
    EXPECT_EQ(read(kMail + "\\Criteria", "Order"), "000 002 003 004 006 007");
    EXPECT_EQ(read(kMail + "\\Criteria\\004", "Value"), "n1@x");
    EXPECT_EQ(read(kMail + "\\Criteria\\006", "Value"), "n2@x");
    EXPECT_EQ(read(kMail + "\\Criteria\\007", "Value"), "n3@x");
}

TEST_F(BlockedSenders, MergePastFffStoresWhatFitsAndTellsWhatWasLeftOut) {
    seedNumbered(kMail, 4090, 7); // 000 to FF9 but 007: 4089 names
    LoadBlockedList(p);
    std::string file;
    for (int i = 0; i < 10; ++i)
        file += "new" + std::to_string(i) + "@x\r\n";
    file += "new3@x"; // a copy of a left-out one is not counted twice
    pickFile("C:\\lists\\ten.txt", file);
    t.ui.answerNext(ui::ResultYes);
    mouseDown("cmd304");

    // By count from FF9 (taken) to FFF, then the gap at 007; no name beyond.
    const Strings names = subkeys(kMail + "\\Criteria");
    EXPECT_EQ(names.size(), 4096u);
    EXPECT_EQ(names.back(), "FFF");
    EXPECT_EQ(read(kMail + "\\Criteria\\FFA", "Value"), "new0@x");
    EXPECT_EQ(read(kMail + "\\Criteria\\FFF", "Value"), "new5@x");
    EXPECT_EQ(read(kMail + "\\Criteria\\007", "Value"), "new6@x");
    EXPECT_EQ(read(kMail + "\\Criteria\\FF9", "Value"), "user4089@list.example");
    const std::string order = ReadOrder(t.reg, kMail + "\\Criteria");
    EXPECT_EQ(CountOrderEntries(order), 4096);
    EXPECT_EQ(order.substr(order.size() - 8), " FFF 007");

    ASSERT_EQ(t.ui.messages.size(), 2u); // the confirmation, then the limit
    const ShownMessage& full = t.ui.messages[1];
    EXPECT_EQ(full.title, lng("msgbox304T"));
    EXPECT_EQ(full.style, 48);
    std::string expected = lng("msgbox304");
    expected.replace(expected.find("%stored"), 7, "7");
    expected.replace(expected.find("%left"), 5, "3");
    EXPECT_EQ(full.text, expected);
    EXPECT_EQ(count().substr(0, 7), "7 / 11 ");

    // Full: a further merge stores nothing and writes no name.
    t.ui.messages.clear();
    pickFile("C:\\lists\\one.txt", "more@x");
    t.ui.answerNext(ui::ResultYes);
    mouseDown("cmd304");
    EXPECT_EQ(subkeys(kMail + "\\Criteria").size(), 4096u);
    ASSERT_EQ(t.ui.messages.size(), 2u);
    std::string none = lng("msgbox304");
    none.replace(none.find("%stored"), 7, "0");
    none.replace(none.find("%left"), 5, "1");
    EXPECT_EQ(t.ui.messages[1].text, none);
}

TEST_F(BlockedSenders, FirstLoadPastFffStopsAtFff) {
    LoadBlockedList(p);
    std::string file;
    for (int i = 0; i < 4100; ++i)
        file += "a" + std::to_string(i) + "@x;";
    pickFile("C:\\lists\\big.txt", file);
    mouseDown("cmd301");
    EXPECT_EQ(subkeys(kMail + "\\Criteria").size(), 4096u);
    EXPECT_EQ(read(kMail + "\\Criteria\\FFF", "Value"), "a4095@x");
    EXPECT_EQ(count(), "4096 / 4101 " + lng("lbl302.1"));
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].title, lng("msgbox304T"));
    EXPECT_NE(t.ui.messages[0].text.find("4096 "), std::string::npos);
}

TEST_F(BlockedSenders, MergeOfAnUnreadableFileSaysTheListIsUnchanged) {
    seedList(kMail, {"000"}, {"a@x"});
    LoadBlockedList(p);
    t.dialogs.answerOpenFile("C:\\lists\\gone.txt");
    t.ui.answerNext(ui::ResultYes);
    mouseDown("cmd304");
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[1].text, lng("msgbox303"));
    EXPECT_EQ(t.ui.messages[1].style, 16);
    EXPECT_EQ(read(kMail + "\\Criteria", "Order"), "000");

    // Cancelling the dialog after Yes ends silently.
    t.ui.answerNext(ui::ResultYes);
    mouseDown("cmd304");
    EXPECT_EQ(t.ui.messages.size(), 3u);
}

// ---------------------------------------------------------------- large lists

TEST_F(BlockedSenders, LargeLoadsLetTheWindowRepaintWithThePageOutOfReach) {
    LoadBlockedList(p);
    std::string file;
    for (int i = 0; i < 4000; ++i)
        file += "sender" + std::to_string(i) + "@spam.example\r\n";
    pickFile("C:\\lists\\4000.txt", file);
    std::vector<std::size_t> boxSizes; // what the box holds at each breath
    bool locked = true, busy = true;
    t.ui.onDoEvents = [&] {
        boxSizes.push_back(box().size());
        locked = locked && !form.control("cmd302").enabled() && !form.control("hsc300").enabled() &&
                 !form.control("opt300", 4).enabled();
        busy = busy && t.ui.mousePointer() == ui::PointerBusy;
        // Whenever the window may close, every stored address is in the
        // Order and the rule is complete.
        if (t.ui.doEventsCalls % 10 == 1) {
            const std::string order = ReadOrder(t.reg, kMail + "\\Criteria");
            EXPECT_EQ(static_cast<std::size_t>(CountOrderEntries(order)),
                      subkeys(kMail + "\\Criteria").size());
            EXPECT_EQ(read(kMail + "\\Actions\\000", "Type"), "007");
        }
    };
    mouseDown("cmd301");
    // 40 batches of writes, then 20 of reads for the refresh.
    EXPECT_EQ(t.ui.doEventsCalls, 60);
    // The box grows as addresses are stored, then again as they are read back.
    ASSERT_EQ(boxSizes.size(), 60u);
    EXPECT_TRUE(std::is_sorted(boxSizes.begin(), boxSizes.begin() + 40));
    EXPECT_TRUE(std::is_sorted(boxSizes.begin() + 40, boxSizes.end()));
    EXPECT_LT(boxSizes[40], boxSizes[39]);
    EXPECT_TRUE(locked);
    EXPECT_TRUE(busy);
    EXPECT_TRUE(form.control("cmd302").enabled());
    EXPECT_TRUE(form.control("opt300", 4).enabled());
    EXPECT_EQ(count(), "4000 / 4001 " + lng("lbl302.1"));
    EXPECT_EQ(read(kMail + "\\Criteria\\F9F", "Value"), "sender3999@spam.example");

    // 1100 more, of which 1000 are listed: 96 names are left for the 100 new.
    t.ui.onDoEvents = nullptr;
    file.clear();
    for (int i = 3000; i < 4100; ++i)
        file += "sender" + std::to_string(i) + "@spam.example;";
    pickFile("C:\\lists\\1100.txt", file);
    t.ui.answerNext(ui::ResultYes);
    mouseDown("cmd304");
    EXPECT_EQ(subkeys(kMail + "\\Criteria").size(), 4096u);
    EXPECT_EQ(read(kMail + "\\Criteria\\FFF", "Value"), "sender4095@spam.example");
    EXPECT_EQ(t.ui.messages.back().title, lng("msgbox304T"));
}

TEST_F(BlockedSenders, ClosingTheWindowInTheMiddleLeavesACompleteShorterList) {
    loadWindow();
    LoadBlockedList(p);
    std::string file;
    for (int i = 0; i < 250; ++i)
        file += "s" + std::to_string(i) + "@x\r\n";
    pickFile("C:\\lists\\250.txt", file);
    t.ui.onDoEvents = [&] { form.Unload(); };
    mouseDown("cmd301");
    EXPECT_EQ(t.ui.doEventsCalls, 1);
    // The first hundred, counted by the Order, in a complete rule.
    EXPECT_EQ(subkeys(kMail + "\\Criteria").size(), 100u);
    EXPECT_EQ(CountOrderEntries(ReadOrder(t.reg, kMail + "\\Criteria")), 100);
    EXPECT_EQ(read(kMail, "Enabled"), "001");
    EXPECT_EQ(read(kMail + "\\Actions\\000", "Type"), "007");
    EXPECT_TRUE(t.ui.messages.empty());

    // Merging the same file again afterwards adds exactly the rest.
    t.ui.onDoEvents = nullptr;
    loadWindow();
    LoadBlockedList(p);
    t.dialogs.answerOpenFile("C:\\lists\\250.txt");
    t.ui.answerNext(ui::ResultYes);
    mouseDown("cmd304");
    EXPECT_EQ(CountOrderEntries(ReadOrder(t.reg, kMail + "\\Criteria")), 250);
    EXPECT_EQ(read(kMail + "\\Criteria\\0F9", "Value"), "s249@x");
}

// ---------------------------------------------------------------- delete, sort, save

TEST_F(BlockedSenders, DeleteAsksWithNoPreselectedAndKeepsTheOtherBranch) {
    seedList(kMail, {"000"}, {"a@x"});
    seedList(kNews, {"000"}, {"n@x"});
    LoadBlockedList(p);
    mouseDown("cmd302"); // unanswered: the default button, No
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].style, 308);
    EXPECT_EQ(t.ui.messages[0].text, lng("msgbox300"));
    EXPECT_EQ(t.ui.messages[0].title, lng("msgbox300T"));
    EXPECT_EQ(read(kMail + "\\Criteria\\000", "Value"), "a@x");

    t.ui.answerNext(ui::ResultYes);
    mouseDown("cmd302");
    EXPECT_EQ(subkeys(kBlockSenders), (Strings{"News"}));
    EXPECT_EQ(raw(kBlockSenders, "Version").bytes, std::string("\0\0\5\0", 4));
}

TEST_F(BlockedSenders, SortRewritesTheValuesInTheRegistrysOrder) {
    seedList(kMail, {"000", "001", "002"}, {"b@x", "A@x", "a@x"});
    LoadBlockedList(p);
    form.raise("cmd303", ui::Event::Click);
    EXPECT_EQ(box(), "A@x\r\na@x\r\nb@x");

    // What the user typed is written back: fewer pieces leave the rest...
    form.control("txt300").userSetText("z@x\r\ny@x");
    form.raise("cmd303", ui::Event::Click);
    EXPECT_EQ(box(), "y@x\r\nz@x\r\nb@x");
    // ...and a surplus piece is dropped.
    form.control("txt300").userSetText("3@x\r\n2@x\r\n1@x\r\n0@x");
    form.raise("cmd303", ui::Event::Click);
    EXPECT_EQ(box(), "0@x\r\n1@x\r\n2@x");
    EXPECT_EQ(raw(kMail + "\\Criteria\\000", "Value").type, RegSz);
}

TEST_F(BlockedSenders, SortOfALargeListFinishesEvenWhenTheWindowCloses) {
    seedNumbered(kMail, 450);
    loadWindow();
    LoadBlockedList(p);
    t.ui.onDoEvents = [&] { form.Unload(); };
    form.raise("cmd303", ui::Event::Click);
    // Sorted by character code: "user0@", "user1@", "user10@", ...
    const Strings names = subkeys(kMail + "\\Criteria");
    Strings values;
    for (const auto& name : names)
        values.push_back(read(kMail + "\\Criteria\\" + name, "Value"));
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_EQ(std::set<std::string>(values.begin(), values.end()).size(), 450u);
    EXPECT_EQ(t.ui.doEventsCalls, 1);
}

TEST_F(BlockedSenders, TheSettingsLoadReadsALongListWithTheWindowBreathing) {
    seedNumbered(kMail, 450);
    bool locked = true;
    t.ui.onDoEvents = [&] { locked = locked && !form.control("cmd303").enabled(); };
    LoadSettings(p);
    EXPECT_EQ(t.ui.doEventsCalls, 2) << "a breath every 200 addresses";
    EXPECT_TRUE(locked);
    EXPECT_TRUE(form.control("cmd303").enabled());
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
        if (p.CurrentIdentity == other)
            return;
        p.CurrentIdentity = other;
        LoadSettings(p);
    };
    p.CurrentIdentity = kGuid;
    LoadSettings(p);
    EXPECT_EQ(t.ui.doEventsCalls, 1);
    EXPECT_EQ(box(), "only@other.example");
    EXPECT_EQ(count(), "1 " + lng("lbl302"));
    EXPECT_TRUE(form.control("cmd303").enabled());
}

TEST_F(BlockedSenders, ASettingsLoadDuringALongCommandLeavesThePageLocked) {
    LoadBlockedList(p);
    std::string file;
    for (int i = 0; i < 450; ++i)
        file += "s" + std::to_string(i) + "@x\r\n";
    pickFile("C:\\lists\\450.txt", file);
    bool locked = true;
    t.ui.onDoEvents = [&] {
        if (t.ui.doEventsCalls == 1)
            LoadSettings(p); // the identity button, clicked while the list loads
        locked =
            locked && !form.control("cmd303").enabled() && !form.control("opt300", 4).enabled();
    };
    mouseDown("cmd301");
    EXPECT_GT(t.ui.doEventsCalls, 2);
    EXPECT_TRUE(locked) << "a command could start in the middle of the load";
    EXPECT_TRUE(form.control("cmd303").enabled());
    EXPECT_TRUE(form.control("opt300", 4).enabled());
}

TEST_F(BlockedSenders, SaveWritesTheListBoxWithItsSeparator) {
    seedList(kMail, {"000", "001"}, {"a@x", "b@y"});
    form.control("lbl305").setCaption(lng("lbl305"));
    LoadBlockedList(p);
    t.putFile("C:\\out\\old.txt", std::string(100, 'o'));
    t.dialogs.answerOpenFile("C:\\out\\old.txt");
    mouseDown("cmd300");
    EXPECT_EQ(t.files.readFile("C:\\out\\old.txt"), "a@x\r\nb@y");
    EXPECT_EQ(t.dialogs.openFileRequests[0].title, lng("OFD1_1"));

    form.raise("lbl305", ui::Event::DblClick);
    t.dialogs.answerOpenFile("C:\\out\\semi.txt");
    mouseDown("cmd300");
    EXPECT_EQ(t.files.readFile("C:\\out\\semi.txt"), "a@x;b@y");
    mouseDown("cmd300"); // cancelled: nothing
    EXPECT_EQ(t.ui.pointers.back(), ui::PointerDefault);
}

// ---------------------------------------------------------------- the action

TEST_F(BlockedSenders, ActionsAndTheColourOfOptionFour) {
    seedList(kMail, {"000"}, {"a@x"});
    LoadBlockedList(p);
    const std::string action = kMail + "\\Actions\\000";
    t.ui.onModal("frmCouleur", [&](ui::Form& colours) {
        EXPECT_EQ(form.control("lblPassage").caption(), "0");
        EXPECT_EQ(t.ui.mousePointer(), ui::PointerDefault);
        ui::EventArgs blue;
        blue.index = 13;
        colours.raise("cmdCoul", ui::Event::Click, blue);
    });
    mouseDown("opt300", 4);
    EXPECT_EQ(raw(action, "Type").bytes, std::string("\x0A\0\0\0", 4));
    EXPECT_EQ(raw(action, "Value").bytes, std::string("\x0D\0\0\0", 4));
    EXPECT_EQ(raw(action, "Value").type, RegDword);
    EXPECT_EQ(raw(action, "ValueType").bytes, std::string("\x13\0\0\0", 4));
    EXPECT_TRUE(shown("shp300"));
    EXPECT_EQ(form.control("shp300").backColor(), Rgb(0, 0, 255));

    // Closed without a pick: colour 0.
    t.ui.onModal("frmCouleur", [](ui::Form& colours) { colours.Unload(); });
    mouseDown("opt300", 4);
    EXPECT_EQ(read(action, "Value"), "000");

    mouseDown("opt300", 1);
    EXPECT_EQ(read(action, "Type"), "008");
    EXPECT_EQ(read(action, "Value"), kNotFound);
    EXPECT_EQ(read(action, "ValueType"), kNotFound);
    EXPECT_FALSE(shown("shp300"));
    const int options[] = {7, 8, 9, 11};
    for (int i = 0; i < 4; ++i) {
        mouseDown("opt300", i);
        EXPECT_EQ(LeadingNumber(read(action, "Type")), options[i]);
        EXPECT_EQ(form.control("opt300", i).value(), 1);
    }

    // From the keyboard: a Click alone writes a new choice, and the Click
    // that follows a mouse press changes nothing more.
    const auto modals = std::count(t.ui.events.begin(), t.ui.events.end(), "modal frmCouleur");
    ui::EventArgs args;
    args.index = 2;
    form.raise("opt300", ui::Event::Click, args);
    EXPECT_EQ(read(action, "Type"), "009");
    args.index = 4;
    form.raise("opt300", ui::Event::Click, args);
    EXPECT_EQ(std::count(t.ui.events.begin(), t.ui.events.end(), "modal frmCouleur"), modals + 1);
    form.raise("opt300", ui::Event::Click, args);
    EXPECT_EQ(std::count(t.ui.events.begin(), t.ui.events.end(), "modal frmCouleur"), modals + 1);
}

} // namespace
} // namespace velmora::testing
