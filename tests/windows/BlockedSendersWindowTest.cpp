// The blocked-senders page of the running velmora.exe, driven from outside on
// a prepared set-up: the list and its action as the registry holds them, the
// separator switch, the mail/news switch, sorting, the action options with
// the colour window, the merge through the real file dialog, and the
// confirmations answered No and Yes in the real message boxes.

#include "core/modRegistre.h"
#include "platform/win32/Win32Registry.h"
#include "rules/RuleStorage.h"
#include "windows/RunningProgram.h"
#include "windows/WindowFinder.h"
#include "wine/WineFolders.h"

#include <dlgs.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>

using namespace velmora;
using namespace velmora::testing;

namespace {

const std::string kGuid = "{B10CCED5-0000-4000-8000-000000000E11}";
const std::string kIdentityKey =
    "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0";
const std::string kBlockSenders = kIdentityKey + "\\Block Senders";
const std::string kMail = kBlockSenders + "\\Mail";
const std::string kNews = kBlockSenders + "\\News";
const std::string kProgramKey = "Software\\Velmora_XPSP2";

// Whether the button is the box's default one, which Enter presses.
bool preselected(HWND box, int button) {
    const LONG_PTR style = GetWindowLongPtrA(GetDlgItem(box, button), GWL_STYLE);
    return (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

class BlockedSendersWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
        SHDeleteKeyA(HKEY_CURRENT_USER, "Identities");
        SHDeleteKeyA(HKEY_CURRENT_USER, kProgramKey.c_str());
        const std::string identity = "Identities\\" + kGuid;
        put(identity, "UserName", "Test");
        put(identity, "User ID", kGuid);
        put("Identities", "Last User ID", kGuid);
        std::string language = firstLanguageFile();
        language.resize(language.size() - 4);
        CharLowerA(language.data());
        put(kProgramKey, "Language", language);
        reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", platform::RegDword, 0LL);
        reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", platform::RegDword, 1LL);

        // Mail: three addresses, highlighted in colour 12; news: one, deleted.
        reg.WriteRegValue(HKCU, kBlockSenders, "Version", platform::RegDword, 0x50000LL);
        const char* const addresses[] = {"b@x.example", "A@x.example", "a@x.example"};
        for (int i = 0; i < 3; ++i)
            put(kMail + "\\Criteria\\00" + std::to_string(i), "Value", addresses[i]);
        put(kMail + "\\Criteria", "Order", "000 001 002");
        reg.WriteRegValue(HKCU, kMail + "\\Actions\\000", "Type", platform::RegDword, 10LL);
        reg.WriteRegValue(HKCU, kMail + "\\Actions\\000", "Value", platform::RegDword, 12LL);
        reg.WriteRegValue(HKCU, kMail + "\\Actions\\000", "ValueType", platform::RegDword, 19LL);
        put(kNews + "\\Criteria\\000", "Value", "news@x.example");
        put(kNews + "\\Criteria", "Order", "000");
        reg.WriteRegValue(HKCU, kNews + "\\Actions\\000", "Type", platform::RegDword, 7LL);
    }

    void put(const std::string& key, const std::string& name, const std::string& text) {
        reg.WriteRegValue(HKCU, key, name, platform::RegSz, text);
    }
    std::string read(const std::string& key, const std::string& name) {
        return reg.ReadRegValue(HKCU, key, name);
    }
    static std::string lng(const std::string& key) { return languageText("Onglet3", key); }

    platform::win32::Win32Registry store;
    modRegistre reg{store};
};

TEST_F(BlockedSendersWindow, ListActionSwitchesSortMergeAndDelete) {
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    program.showPage(3);
    ASSERT_TRUE(program.shown("txt300")) << "page 3 is not shown";

    // The list in the registry's order, its count and its action.
    EXPECT_EQ(program.text("txt300"), "b@x.example\r\nA@x.example\r\na@x.example");
    EXPECT_EQ(program.text("lbl302"), "3 " + lng("lbl302"));
    EXPECT_TRUE(program.ticked("opt300(4)"));
    EXPECT_TRUE(program.shown("shp300"));
    EXPECT_FALSE(program.shown("cmd301"));

    // The separator switch: once or twice to ";", depending on the caption
    // the label starts with; once more back to line breaks.
    for (int i = 0; i < 2 && program.text("lbl305") != lng("lbl305.1"); ++i)
        program.doubleClick("lbl305");
    EXPECT_EQ(program.text("lbl305"), lng("lbl305.1"));
    EXPECT_EQ(program.text("txt300"), "b@x.example;A@x.example;a@x.example");
    program.doubleClick("lbl305");
    EXPECT_EQ(program.text("lbl305"), lng("lbl305"));
    EXPECT_EQ(program.text("txt300"), "b@x.example\r\nA@x.example\r\na@x.example");

    // News and back.
    program.scroll("hsc300", +1);
    EXPECT_EQ(program.text("txt300"), "news@x.example");
    EXPECT_TRUE(program.ticked("opt300(0)"));
    EXPECT_FALSE(program.shown("shp300"));
    program.scroll("hsc300", -1);
    EXPECT_EQ(program.text("txt300"), "b@x.example\r\nA@x.example\r\na@x.example");

    // Sorting rewrites the stored addresses in character order; the Order stays.
    program.click("cmd303");
    EXPECT_EQ(read(kMail + "\\Criteria\\000", "Value"), "A@x.example");
    EXPECT_EQ(read(kMail + "\\Criteria\\001", "Value"), "a@x.example");
    EXPECT_EQ(read(kMail + "\\Criteria\\002", "Value"), "b@x.example");
    EXPECT_EQ(read(kMail + "\\Criteria", "Order"), "000 001 002");
    EXPECT_EQ(program.text("txt300"), "A@x.example\r\na@x.example\r\nb@x.example");

    // An option, then the colour of option 4 picked in the colour window.
    program.click("opt300(1)");
    EXPECT_EQ(read(kMail + "\\Actions\\000", "Type"), "008");
    EXPECT_EQ(read(kMail + "\\Actions\\000", "Value"), kNotFound);
    EXPECT_FALSE(program.shown("shp300"));
    program.postClick("opt300(4)");
    HWND colours = nullptr;
    ASSERT_TRUE(waitFor([&] {
        colours = findForm("frmCouleur", program.processId());
        return colours && IsWindowVisible(colours);
    })) << "the colour window never showed";
    HWND blue = findControl(colours, "cmdCoul(13)");
    ASSERT_NE(blue, nullptr);
    program.postClick(blue);
    EXPECT_TRUE(waitFor([&] { return read(kMail + "\\Actions\\000", "ValueType") == "019"; }));
    EXPECT_EQ(read(kMail + "\\Actions\\000", "Type"), "010");
    EXPECT_EQ(read(kMail + "\\Actions\\000", "Value"), "013");
    EXPECT_TRUE(waitFor([&] { return program.shown("shp300"); }));

    // Merge: No ends it; Yes opens the file dialog, and the file's new
    // address joins the list.
    program.postClick("cmd304");
    HWND question = program.dialog();
    ASSERT_NE(question, nullptr) << "no merge confirmation";
    std::string expected = lng("msgbox302");
    expected.replace(expected.find("%menu"), 5, "Mail");
    EXPECT_EQ(messageText(question), expected);
    EXPECT_EQ(textOf(question), lng("msgbox302T"));
    EXPECT_TRUE(preselected(question, IDNO));
    EXPECT_FALSE(preselected(question, IDYES));
    press(question, IDNO);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(question); }));
    Sleep(500);
    EXPECT_TRUE(program.noDialog()) << "a dialog after No";

    Win32ScratchFolder scratch;
    const std::string list = scratch.at("more.txt");
    HANDLE file = CreateFileA(list.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string content = "new@x.example\r\na@x.example";
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    program.postClick("cmd304");
    question = program.dialog();
    ASSERT_NE(question, nullptr);
    press(question, IDYES);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(question); }));
    HWND open = program.dialog();
    ASSERT_NE(open, nullptr) << "no file dialog after Yes";
    EXPECT_EQ(textOf(open), lng("OFD3_1"));
    HWND name = GetDlgItem(open, cmb13) ? GetDlgItem(open, cmb13) : GetDlgItem(open, edt1);
    ASSERT_NE(name, nullptr);
    SetWindowTextA(name, list.c_str());
    press(open, IDOK);
    EXPECT_TRUE(waitFor([&] { return read(kMail + "\\Criteria", "Order") == "000 001 002 003"; }));
    EXPECT_EQ(read(kMail + "\\Criteria\\003", "Value"), "new@x.example");
    EXPECT_EQ(read(kMail + "\\Criteria\\003", "Type"), "023");
    std::string label = lng("lbl302.2");
    label.replace(label.find("%numadr"), 7, "4");
    EXPECT_TRUE(waitFor([&] { return program.text("lbl302") == "1 / 2" + label; }))
        << program.text("lbl302");

    // Delete: No keeps everything; Yes removes the mail list alone.
    program.postClick("cmd302");
    question = program.dialog();
    ASSERT_NE(question, nullptr) << "no delete confirmation";
    EXPECT_EQ(messageText(question), lng("msgbox300"));
    EXPECT_TRUE(preselected(question, IDNO));
    press(question, IDNO);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(question); }));
    EXPECT_EQ(read(kMail + "\\Criteria", "Order"), "000 001 002 003");

    program.postClick("cmd302");
    question = program.dialog();
    ASSERT_NE(question, nullptr);
    press(question, IDYES);
    EXPECT_TRUE(waitFor([&] { return program.shown("cmd301"); }));
    EXPECT_EQ(read(kMail + "\\Criteria", "Order"), kNotFound);
    EXPECT_EQ(read(kMail + "\\Actions\\000", "Type"), kNotFound);
    EXPECT_EQ(read(kNews + "\\Criteria\\000", "Value"), "news@x.example");
    EXPECT_EQ(read(kBlockSenders, "Version"), "327680");
    EXPECT_EQ(program.text("lbl302"), lng("lbl302.3"));
    EXPECT_FALSE(program.shown("txt300"));
}

// A first load of 4000 addresses through the real dialog: the window answers
// messages all along, and a close in the middle leaves a complete rule whose
// Order counts exactly the addresses stored.
TEST_F(BlockedSendersWindow, LargeLoadStaysResponsiveAndACloseLeavesACompleteList) {
    SHDeleteKeyA(HKEY_CURRENT_USER, kBlockSenders.c_str());
    Win32ScratchFolder scratch;
    const std::string list = scratch.at("4000.txt");
    std::string content;
    for (int i = 0; i < 4000; ++i)
        content += "sender" + std::to_string(i) + "@bulk.example\r\n";
    HANDLE file = CreateFileA(list.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);

    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    program.showPage(3);
    ASSERT_TRUE(program.shown("cmd301"));
    program.postClick("cmd301");
    HWND open = program.dialog();
    ASSERT_NE(open, nullptr) << "no file dialog";
    HWND name = GetDlgItem(open, cmb13) ? GetDlgItem(open, cmb13) : GetDlgItem(open, edt1);
    ASSERT_NE(name, nullptr);
    SetWindowTextA(name, list.c_str());
    press(open, IDOK);
    // The dialog's own closing (two seconds under Wine) is not the page's.
    ASSERT_TRUE(waitFor([&] { return !IsWindow(open); }));

    // While the addresses are stored, the window handles its messages.
    const auto stored = [&] {
        const std::string order = ReadOrder(reg, kMail + "\\Criteria");
        return order == kNotFound ? 0 : CountOrderEntries(order);
    };
    int answered = 0, late = 0;
    const DWORD start = GetTickCount();
    while (stored() < 400 && GetTickCount() - start < 120000) {
        DWORD_PTR result = 0;
        const DWORD asked = GetTickCount();
        if (SendMessageTimeoutA(program.main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result))
            ++answered;
        if (GetTickCount() - asked > 1000)
            ++late;
        Sleep(50);
    }
    ASSERT_GE(stored(), 400) << "the load did not get going";
    EXPECT_GT(answered, 0);
    EXPECT_EQ(late, 0) << "the window kept a message waiting over a second";

    PostMessageA(program.main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !program.running(); }, 60000)) << "still running";
    std::vector<std::string> names;
    for (std::int32_t i = 0;; ++i) {
        const std::string subkey = reg.EnumRegSubKey(HKCU, kMail + "\\Criteria", i);
        if (subkey == kNotFound)
            break;
        names.push_back(subkey);
    }
    EXPECT_LT(names.size(), 4000u) << "closed too late to stop in the middle";
    EXPECT_EQ(static_cast<std::size_t>(stored()), names.size());
    for (const std::string& criterion : names) {
        EXPECT_EQ(read(kMail + "\\Criteria\\" + criterion, "Type"), "023") << criterion;
        EXPECT_NE(read(kMail + "\\Criteria\\" + criterion, "Value"), kNotFound) << criterion;
    }
    EXPECT_EQ(read(kMail, "Enabled"), "001");
    EXPECT_EQ(read(kMail + "\\Actions\\000", "Type"), "007");
    EXPECT_EQ(read(kBlockSenders, "Version"), "327680");
}

} // namespace
