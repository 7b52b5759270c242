// The mail identities as the main window shows them: the change button by
// the number of identities, the identity taken at start-up, and the identity
// key every per-identity setting goes under on machines whose identities are
// incomplete or missing.

#include "core/Identities.h"
#include "app/frmPrincipal.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

const std::string kGuidA = "{AAAAAAAA-0000-0000-0000-000000000001}";
const std::string kGuidB = "{BBBBBBBB-0000-0000-0000-000000000002}";
const std::string kGuidC = "{CCCCCCCC-0000-0000-0000-000000000003}";

struct IdentityProgram : TestProgram {
    IdentityProgram() { seedEnglish(); }
    // An identity under its own subkey name (the enumeration orders by it).
    void identity(const std::string& subkey, const char* userName, const char* userId) {
        const std::string key = "Identities\\" + subkey;
        if (userName)
            reg.WriteRegValue(HKCU, key, "UserName", RegSz, std::string(userName));
        reg.WriteRegValue(HKCU, key, userId ? "User ID" : "Other", RegSz,
                          std::string(userId ? userId : "x")); // the key must exist
    }
    void lastUser(const std::string& guid) {
        reg.WriteRegValue(HKCU, "Identities", "Last User ID", RegSz, guid);
    }
    // The two labels naming the identity and the page's GUID box.
    Strings shown() {
        return {main().control("lblChangeIdentite").caption(), main().control("lbl621").caption(),
                main().control("txt620").text()};
    }
    std::string button() {
        const ui::Control& b = main().control("cmdChangeIdentite");
        return !b.visible() ? "hidden" : b.enabled() ? "shown" : "shown disabled";
    }
    void click() { main().raise("cmdChangeIdentite", ui::Event::Click); }
};

// The button by the number of identities; the last user, or else the first
// identity (a null, missing or stale last user; the right GUID in other
// letters is another one), taken at start-up; clicks cycle, busy.
TEST(Identities, TheChangeButtonAndTheIdentityTakenAtStartUp) {
    const std::string none = "No mail identity on this computer ", anne = "Anne ",
                      fr = "Fran\xE7oise ";
    const struct {
        int identities;
        std::string last; // "": none recorded
        std::string button;
        Strings shown, visited;
    } rows[] = {
        {0, kGuidB, "shown disabled", {none, none, ""}, {}},
        {1, kGuidB, "hidden", {anne, anne, kGuidA}, {}},
        {3, kGuidB, "shown", {fr, fr, kGuidB}, {kGuidC, kGuidA, kGuidB}},
        {2, "{00000000-0000-0000-0000-000000000000}", "shown", {anne, anne, kGuidA}, {kGuidB}},
        {2, "", "shown", {anne, anne, kGuidA}, {kGuidB}},
        {2, kGuidC, "shown", {anne, anne, kGuidA}, {kGuidB}},
        {2, "{bbbbbbbb-0000-0000-0000-000000000002}", "shown", {anne, anne, kGuidA}, {kGuidB}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.identities) + " " + row.last);
        IdentityProgram t;
        const char* const names[] = {"Anne", "Fran\xE7oise", "Claude"};
        const std::string guids[] = {kGuidA, kGuidB, kGuidC};
        for (int i = 0; i < row.identities; ++i)
            t.identity(std::to_string(i + 1), names[i], guids[i].c_str());
        if (!row.last.empty())
            t.lastUser(row.last);
        t.start();
        EXPECT_EQ(t.program->IdentityTable.size(), static_cast<std::size_t>(row.identities));
        EXPECT_EQ(t.button(), row.button);
        EXPECT_EQ(t.shown(), row.shown);
        Strings visited;
        for (std::size_t i = 0; i < row.visited.size(); ++i) {
            t.ui.pointers.clear();
            t.click();
            visited.push_back(t.program->CurrentIdentity);
            EXPECT_EQ((std::vector<int>{t.ui.pointers.front(), t.ui.pointers.back()}),
                      (std::vector<int>{ui::PointerBusy, ui::PointerDefault}));
        }
        EXPECT_EQ(visited, row.visited);
        if (!visited.empty()) {
            EXPECT_EQ(t.shown()[0], fr);
        }
        // The client's own choice is never written back.
        EXPECT_EQ(t.reg.ReadRegValue(HKCU, "Identities", "Last User ID"),
                  row.last.empty() ? kNotFound : row.last);
    }
}

TEST(Identities, MissingNamesAndGuidsShowNotFoundButLeadNowhere) {
    IdentityProgram t;
    t.identity("1", nullptr, kGuidA.c_str());
    t.identity("2", "No GUID", nullptr);
    t.lastUser(kGuidA);
    t.start();
    EXPECT_EQ(t.shown(), (Strings{"Not Found ", "Not Found ", kGuidA}));
    t.click();
    EXPECT_EQ(t.shown(), (Strings{"No GUID ", "No GUID ", "Not Found"}));
    EXPECT_EQ(t.program->CurrentIdentity, "Not Found");
    // Not "Identities\Not Found\...": a path the registry refuses.
    const std::string key = t.program->IdentityKey();
    EXPECT_NE(t.reg.WriteRegValue(HKCU, key + "\\Mail", "Safe Attachments Locked", RegDword, 1LL),
              0);
    EXPECT_EQ(t.reg.EnumRegSubKey(HKCU, "Identities\\Not Found", 0), kNotFound);
}

TEST(Identities, NoIdentityWritesOnlyMachineWideSettingsAndSaysSoInTheLanguage) {
    IdentityProgram t;
    t.start();
    ASSERT_TRUE(t.main().isVisible());
    EXPECT_EQ(t.program->CurrentIdentity, "");
    t.main().control("cmdChangeIdentite").setEnabled(true); // even if it were clicked
    t.click();
    EXPECT_EQ(t.program->CurrentIdentity, "");

    // The identity key leads nowhere: neither "Identities\\..." nor the root.
    const std::string key = t.program->IdentityKey();
    EXPECT_NE(t.reg.WriteRegValue(HKCU, key, "Use US Reply Headers", RegDword, 0LL), 0);
    EXPECT_NE(t.reg.WriteRegValue(HKCU, key + "\\Mail", "x", RegSz, std::string("y")), 0);
    EXPECT_EQ(t.reg.ReadRegValue(HKCU, "", "Use US Reply Headers"), kNotFound);
    // A per-identity box writes nothing; a machine-wide one still writes.
    for (const char* box : {"chk200", "chk020"}) {
        t.main().control(box).userSetValue(1);
        t.main().raise(box, ui::Event::Click);
    }
    EXPECT_EQ(t.reg.EnumRegSubKey(HKCU, "Identities", 0), kNotFound);
    EXPECT_EQ(t.reg.ReadRegValue(HKLM, "Software\\Microsoft\\Outlook Express", "No Modify Accts"),
              "001");

    // The text follows the language.
    ui::Form& about = t.program->form("frmAbout");
    about.control("cboLanguage").userSetListIndex(1);
    about.raise("cboLanguage", ui::Event::Click);
    const std::string french = "Aucune identit\xE9 de messagerie sur cet ordinateur ";
    EXPECT_EQ(t.shown(), (Strings{french, french, ""}));
}

} // namespace
} // namespace velmora::testing
