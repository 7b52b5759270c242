// The mail identities as the main window shows them: the current one at
// start-up, the change button, and the identity key every per-identity
// setting goes under, including machines whose identities are incomplete
// or missing.

#include "core/Identities.h"
#include "core/Language.h"
#include "app/frmPrincipal.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::testing {
namespace {

using platform::RegDword;
using platform::RegSz;

const std::string kNullGuid = "{00000000-0000-0000-0000-000000000000}";
const std::string kGuidA = "{AAAAAAAA-0000-0000-0000-000000000001}";
const std::string kGuidB = "{BBBBBBBB-0000-0000-0000-000000000002}";
const std::string kGuidC = "{CCCCCCCC-0000-0000-0000-000000000003}";

struct IdentityProgram : TestProgram {
    IdentityProgram() {
        reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
        reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegDword, 0LL);
    }
    // An identity under its own subkey name (the enumeration orders by it).
    void identity(const std::string& subkey, const char* userName, const char* userId) {
        const std::string key = "Identities\\" + subkey;
        if (userName)
            reg.WriteRegValue(HKCU, key, "UserName", RegSz, std::string(userName));
        if (userId)
            reg.WriteRegValue(HKCU, key, "User ID", RegSz, std::string(userId));
        else
            reg.WriteRegValue(HKCU, key, "Other", RegSz, std::string("x")); // the key must exist
    }
    void lastUser(const std::string& guid) {
        reg.WriteRegValue(HKCU, "Identities", "Last User ID", RegSz, guid);
    }
    ui::Form& main() { return program->principal(); }
    std::string label() { return main().control("lblChangeIdentite").caption(); }
    std::string pageLabel() { return main().control("lbl621").caption(); }
    std::string pageText() { return main().control("txt620").text(); }
    ui::Control& button() { return main().control("cmdChangeIdentite"); }
    void click() { main().raise("cmdChangeIdentite", ui::Event::Click); }
};

TEST(Identities, ThreeIdentitiesStartOnTheLastUsedAndCycle) {
    IdentityProgram t;
    t.identity("1", "Anne", kGuidA.c_str());
    t.identity("2", "Fran\xE7oise", kGuidB.c_str());
    t.identity("3", "Claude", kGuidC.c_str());
    t.lastUser(kGuidB);
    t.start();
    ASSERT_EQ(t.program->IdentityTable.size(), 3u);
    EXPECT_EQ(t.program->IdentityTable[2].userName, "Claude");
    EXPECT_EQ(t.program->IdentityTable[2].userId, kGuidC);
    EXPECT_EQ(t.program->CurrentIdentity, kGuidB);
    EXPECT_EQ(t.label(), "Fran\xE7oise ");
    EXPECT_EQ(t.pageLabel(), "Fran\xE7oise ");
    EXPECT_EQ(t.pageText(), kGuidB);
    EXPECT_TRUE(t.button().visible());
    EXPECT_TRUE(t.button().enabled());

    const std::vector<std::pair<std::string, std::string>> cycle = {
        {"Claude ", kGuidC}, {"Anne ", kGuidA}, {"Fran\xE7oise ", kGuidB}};
    for (const auto& [name, guid] : cycle) {
        t.ui.pointers.clear();
        t.click();
        EXPECT_EQ(t.label(), name);
        EXPECT_EQ(t.pageLabel(), name);
        EXPECT_EQ(t.pageText(), guid);
        EXPECT_EQ(t.program->CurrentIdentity, guid);
        EXPECT_EQ(t.program->IdentityKey(),
                  "Identities\\" + guid + "\\Software\\Microsoft\\Outlook Express\\5.0");
        EXPECT_EQ(t.ui.pointers.front(), ui::PointerBusy);
        EXPECT_EQ(t.ui.pointers.back(), ui::PointerDefault);
    }
    // The client's own choice is never written back.
    EXPECT_EQ(t.reg.ReadRegValue(HKCU, "Identities", "Last User ID"), kGuidB);
}

TEST(Identities, NullMissingOrStaleLastUserTakesTheFirstIdentity) {
    for (const std::string& last : {kNullGuid, std::string("missing"), kGuidC,
                                    // the right GUID in other letters is another one
                                    std::string("{bbbbbbbb-0000-0000-0000-000000000002}")}) {
        IdentityProgram t;
        t.identity("1", "Anne", kGuidA.c_str());
        t.identity("2", "Bernard", kGuidB.c_str());
        if (last != "missing")
            t.lastUser(last);
        t.start();
        EXPECT_EQ(t.program->CurrentIdentity, kGuidA) << last;
        EXPECT_EQ(t.label(), "Anne ") << last;
        EXPECT_EQ(t.pageText(), kGuidA) << last;
        EXPECT_EQ(t.program->IdentityKey().rfind("Identities\\" + kGuidA + "\\", 0), 0u) << last;
        t.click();
        EXPECT_EQ(t.label(), "Bernard ") << last;
    }
}

TEST(Identities, MissingNamesAndGuidsShowNotFoundButLeadNowhere) {
    IdentityProgram t;
    t.identity("1", nullptr, kGuidA.c_str());
    t.identity("2", "No GUID", nullptr);
    t.lastUser(kGuidA);
    t.start();
    EXPECT_EQ(t.label(), "Not Found ");
    EXPECT_EQ(t.pageLabel(), "Not Found ");
    t.click();
    EXPECT_EQ(t.label(), "No GUID ");
    EXPECT_EQ(t.pageText(), "Not Found");
    EXPECT_EQ(t.program->CurrentIdentity, "Not Found");
    // Not "Identities\Not Found\...": a path the registry refuses.
    const std::string key = t.program->IdentityKey();
    EXPECT_EQ(key.front(), '\\');
    EXPECT_NE(t.reg.WriteRegValue(HKCU, key + "\\Mail", "Safe Attachments Locked", RegDword, 1LL),
              0);
    EXPECT_EQ(t.reg.EnumRegSubKey(HKCU, "Identities\\Not Found", 0), kNotFound);
    EXPECT_EQ(t.reg.ReadRegValue(HKCU, "Identities\\Not Found", ""), kNotFound);
}

TEST(Identities, NoIdentitySaysSoInTheLanguageAndWritesNothingPerIdentity) {
    IdentityProgram t;
    t.start();
    ASSERT_TRUE(t.main().isVisible());
    EXPECT_TRUE(t.program->IdentityTable.empty());
    EXPECT_EQ(t.program->CurrentIdentity, "");
    EXPECT_EQ(t.label(), "No mail identity on this computer ");
    EXPECT_EQ(t.pageLabel(), "No mail identity on this computer ");
    EXPECT_EQ(t.pageText(), "");
    // Shown, as for any count but one, but there is nothing to change to.
    EXPECT_TRUE(t.button().visible());
    EXPECT_FALSE(t.button().enabled());
    t.button().setEnabled(true); // even if it were clicked
    t.click();
    EXPECT_EQ(t.program->CurrentIdentity, "");

    // The identity key leads nowhere: neither "Identities\\..." nor the root.
    const std::string key = t.program->IdentityKey();
    EXPECT_EQ(key.rfind("Identities", 0), std::string::npos);
    EXPECT_EQ(key.front(), '\\');
    EXPECT_NE(t.reg.WriteRegValue(HKCU, key, "Use US Reply Headers", RegDword, 0LL), 0);
    EXPECT_NE(t.reg.WriteRegValue(HKCU, key + "\\Mail", "x", RegSz, std::string("y")), 0);
    EXPECT_EQ(t.reg.EnumRegSubKey(HKCU, "Identities", 0), kNotFound);
    EXPECT_EQ(t.reg.ReadRegValue(HKCU, "", "Use US Reply Headers"), kNotFound);

    // The text follows the language.
    ui::Form& about = t.program->form("frmAbout");
    about.control("cboLanguage").userSetListIndex(1);
    about.raise("cboLanguage", ui::Event::Click);
    EXPECT_EQ(t.label(), "Aucune identit\xE9 de messagerie sur cet ordinateur ");
    EXPECT_EQ(t.pageLabel(), "Aucune identit\xE9 de messagerie sur cet ordinateur ");
}

} // namespace
} // namespace velmora::testing
