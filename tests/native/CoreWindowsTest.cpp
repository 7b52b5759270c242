// The about, message and colour windows: what they show, what their
// controls write and start, and how the colour window hands its choice back.

#include "core/frmAbout.h"
#include "core/frmCouleur.h"
#include "core/frmMessage.h"
#include "app/frmPrincipal.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::testing {
namespace {

using platform::RegDword;
using platform::RegSz;

const std::string kMsinfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string kNoSysInfo = "Les informations syst\xE8me ne sont pas disponibles actuellement";

// Every focus change of a form, by control name.
class FocusRecorder : public ui::FormView {
public:
    void controlChanged(ui::Control& control, ui::Property property) override {
        if (property == ui::Property::Focus)
            focused.push_back(control.name());
    }
    void formChanged(ui::FormProperty) override {}
    std::vector<std::string> focused;
};

struct StartedProgram : TestProgram {
    StartedProgram() {
        reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
        reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegDword, 0LL);
        reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", RegDword, 1LL); // no question
        start();
    }
    ui::Form& about() { return program->form(kAboutWindow); }
    platform::RegData stored(const std::string& value) {
        platform::RegData data;
        registry.queryValue(HKCU, kProgramKey, value, 2048, data);
        return data;
    }
};

TEST(AboutWindow, ShowsTitleVersionAndTheLanguagesTexts) {
    TestProgram t;
    t.system.setProgramVersion({10, 0, 12});
    t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
    t.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegDword, 0LL);
    t.start();
    ui::Form& about = t.program->form(kAboutWindow);
    EXPECT_EQ(about.caption(), "\xC0 propos de Velmora");
    EXPECT_EQ(about.control("lblVersion").caption(), "Version 10.0.12");
    EXPECT_EQ(about.control("lblTitle").caption(), "Velmora");
    EXPECT_EQ(about.control("chkRestaur").caption(),
              "Never offer to create a restore point at start-up");
    EXPECT_EQ(about.control("lblTranslator").caption(), "English version of Velmora");
    EXPECT_EQ(about.control("cmdSysInfo").caption(), "&Infos syst\xE8me...");

    TestProgram shipped;
    shipped.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
    shipped.start();
    EXPECT_EQ(shipped.program->form(kAboutWindow).control("lblVersion").caption(), "Version 2.1.4");
}

TEST(AboutWindow, TheAboutButtonShowsItModallyThenFocusesTheHolder) {
    StartedProgram t;
    FocusRecorder recorder;
    t.program->principal().attachView(&recorder);
    bool shown = false;
    t.ui.onModal(kAboutWindow, [&](ui::Form& about) {
        shown = about.isVisible();
        EXPECT_TRUE(recorder.focused.empty());
        about.raise("cmdOK", ui::Event::Click);
    });
    t.program->principal().raise("cmdAbout", ui::Event::Click);
    t.program->principal().attachView(nullptr);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(t.about().isLoaded()); // OK unloads it
    EXPECT_EQ(recorder.focused, (std::vector<std::string>{"cmdFocus"}));
}

TEST(AboutWindow, TheRestorePointOptionWritesNoRestaure) {
    StartedProgram t;
    ui::Control& box = t.about().control("chkRestaur");
    box.userSetValue(1);
    t.ui.pointers.clear();
    t.about().raise("chkRestaur", ui::Event::Click);
    EXPECT_EQ(t.stored("NoRestaure").type, RegDword);
    EXPECT_EQ(t.stored("NoRestaure").bytes, std::string("\x01\0\0\0", 4));
    EXPECT_EQ(t.ui.pointers, (std::vector<int>{ui::PointerBusy, ui::PointerDefault}));
    box.userSetValue(0);
    t.about().raise("chkRestaur", ui::Event::Click);
    EXPECT_EQ(t.stored("NoRestaure").bytes, std::string("\0\0\0\0", 4));
}

TEST(AboutWindow, SystemInformationFromItsRegisteredPath) {
    StartedProgram t;
    t.reg.WriteRegValue(HKLM, kMsinfoKey, "PATH", RegSz,
                        std::string("C:\\Program Files\\Common Files\\MSInfo\\msinfo32.exe"));
    t.about().raise("cmdSysInfo", ui::Event::Click);
    ASSERT_EQ(t.shell.started.size(), 1u);
    EXPECT_EQ(t.shell.started[0].commandLine,
              "\"C:\\Program Files\\Common Files\\MSInfo\\msinfo32.exe\"");
    EXPECT_EQ(t.shell.started[0].showCommand, 1);
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(AboutWindow, SystemInformationFromTheToolsFolderWhenTheFileIsThere) {
    StartedProgram t;
    t.reg.WriteRegValue(HKLM, kToolsKey, "MSINFO", RegSz, std::string("C:\\Tools\\MSInfo"));
    t.about().raise("cmdSysInfo", ui::Event::Click);
    EXPECT_TRUE(t.shell.started.empty());
    ASSERT_EQ(t.ui.messages.size(), 1u); // the folder holds no MSINFO32.EXE yet

    t.putFile("C:\\Tools\\MSInfo\\msinfo32.exe", "MZ");
    t.about().raise("cmdSysInfo", ui::Event::Click);
    ASSERT_EQ(t.shell.started.size(), 1u);
    EXPECT_EQ(t.shell.started[0].commandLine, "\"C:\\Tools\\MSInfo\\MSINFO32.EXE\"");
    EXPECT_EQ(t.ui.messages.size(), 1u);
}

TEST(AboutWindow, WithoutTheToolTheFrenchMessageIsShown) {
    StartedProgram t;
    t.about().raise("cmdSysInfo", ui::Event::Click);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, kNoSysInfo);
    EXPECT_EQ(t.ui.messages[0].style, ui::MbOk);
    EXPECT_TRUE(t.shell.started.empty());

    // A registered tool that does not start ends the same way.
    t.reg.WriteRegValue(HKLM, kMsinfoKey, "PATH", RegSz, std::string("C:\\gone.exe"));
    t.shell.setStartable(false);
    t.about().raise("cmdSysInfo", ui::Event::Click);
    EXPECT_EQ(t.shell.started.size(), 1u);
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[1].text, kNoSysInfo);
}

TEST(AboutWindow, GetKeyValueReadsTextWithinItsBufferAndNeedsWriteAccess) {
    TestProgram t;
    platform::Registry& store = t.registry;
    std::string value = "stale";
    EXPECT_FALSE(GetKeyValue(store, HKLM, kMsinfoKey, "PATH", value));
    EXPECT_EQ(value, "");

    t.reg.WriteRegValue(HKLM, kMsinfoKey, "PATH", RegSz, std::string("C:\\a.exe"));
    EXPECT_TRUE(GetKeyValue(store, HKLM, kMsinfoKey, "PATH", value));
    EXPECT_EQ(value, "C:\\a.exe");

    // Stored without its final zero, and with a zero inside.
    store.setValue(HKLM, kMsinfoKey, "Bare", RegSz, "abc");
    EXPECT_TRUE(GetKeyValue(store, HKLM, kMsinfoKey, "Bare", value));
    EXPECT_EQ(value, "abc");
    store.setValue(HKLM, kMsinfoKey, "Inner", RegSz, std::string("ab\0cd\0", 6));
    EXPECT_TRUE(GetKeyValue(store, HKLM, kMsinfoKey, "Inner", value));
    EXPECT_EQ(value, std::string("ab\0cd", 5));

    // 1024 bytes fit, 1025 do not.
    store.setValue(HKLM, kMsinfoKey, "Fits", RegSz, std::string(1023, 'x') + '\0');
    EXPECT_TRUE(GetKeyValue(store, HKLM, kMsinfoKey, "Fits", value));
    EXPECT_EQ(value.size(), 1023u);
    store.setValue(HKLM, kMsinfoKey, "TooLong", RegSz, std::string(1024, 'x') + '\0');
    EXPECT_FALSE(GetKeyValue(store, HKLM, kMsinfoKey, "TooLong", value));
    EXPECT_EQ(value, "");

    // Other types are found but give no text.
    t.reg.WriteRegValue(HKLM, kMsinfoKey, "Number", RegDword, 5LL);
    EXPECT_TRUE(GetKeyValue(store, HKLM, kMsinfoKey, "Number", value));
    EXPECT_EQ(value, "");

    // A key the user may read but not change cannot be opened this way.
    t.registry.denyFullAccess(HKLM, kMsinfoKey);
    EXPECT_FALSE(GetKeyValue(store, HKLM, kMsinfoKey, "PATH", value));
    platform::RegData data;
    EXPECT_EQ(store.queryValue(HKLM, kMsinfoKey, "PATH", 1024, data, 0x20019), platform::RegOk)
        << "read-only access still reads";
}

TEST(MessageWindow, KeepsItsTextCentred) {
    StartedProgram t;
    auto& message = static_cast<frmMessage&>(t.program->form(kMessageWindow));
    EXPECT_EQ(message.control("lblMessage").caption(), "Veuillez patienter pendant la cr\xE9"
                                                       "ation du point de restauration...");
    for (const std::string text : {"Short", "A much longer text that takes most of the window "
                                            "and more than one would think reasonable"}) {
        message.DisplayMessage(text);
        const ui::Control& label = message.control("lblMessage");
        EXPECT_EQ(label.caption(), text);
        EXPECT_EQ(label.alignment(), ui::Alignment::Center);
        const ui::Twips& b = label.bounds();
        EXPECT_EQ(b.left, (message.scaleWidth() - b.width) / 2) << text;
        EXPECT_EQ(b.top, (message.scaleHeight() - b.height) / 2) << text;
        EXPECT_GT(b.width, 0);
        EXPECT_LE(b.left + b.width, message.scaleWidth());
    }
    // The real inner size, once a window tells it, is what counts.
    message.markScaleSize(7000, 2000);
    message.DisplayMessage("x");
    const ui::Twips& b = message.control("lblMessage").bounds();
    EXPECT_NEAR(b.left * 2 + b.width, 7000, 1);
    EXPECT_NEAR(b.top * 2 + b.height, 2000, 1);
}

TEST(ColourWindow, SixteenSquaresInTwoRowsInTheTablesColours) {
    StartedProgram t;
    ui::Form& colours = t.program->form(kColourWindow);
    EXPECT_EQ(colours.caption(), "Choisissez parmi une de ces couleurs");
    const auto elements = colours.elements("cmdCoul");
    ASSERT_EQ(elements.size(), 17u);
    EXPECT_FALSE(colours.control("cmdCoul", 0).visible());
    struct Expected {
        int element;
        unsigned red, green, blue;
    };
    const Expected table[] = {
        {16, 255, 255, 255}, {1, 0, 0, 0},       {2, 128, 0, 0},    {3, 0, 128, 0},
        {4, 128, 128, 0},    {5, 0, 0, 128},     {6, 128, 0, 128},  {7, 0, 128, 128},
        {8, 128, 128, 128},  {9, 192, 192, 192}, {10, 255, 0, 0},   {11, 0, 255, 0},
        {12, 255, 255, 0},   {13, 0, 0, 255},    {14, 255, 0, 255}, {15, 0, 255, 255},
    };
    for (int i = 0; i < 16; ++i) {
        const Expected& e = table[i];
        const ui::Control& button = colours.control("cmdCoul", e.element);
        EXPECT_TRUE(button.visible()) << e.element;
        EXPECT_EQ(button.backColor(), e.red | (e.green << 8) | (e.blue << 16)) << e.element;
        EXPECT_EQ(button.bounds().left, 120 + (i % 8) * 480) << e.element;
        EXPECT_EQ(button.bounds().top, 120 + (i / 8) * 480) << e.element;
        EXPECT_EQ(button.bounds().width, 375);
        EXPECT_EQ(button.bounds().height, 375);
        EXPECT_EQ(ColourOfIndex(*t.program, e.element), button.backColor());
    }
    // The squares fit the window with the same margin on the far sides.
    EXPECT_EQ(colours.scaleWidth(), 120 + 7 * 480 + 375 + 120);
    EXPECT_EQ(colours.scaleHeight(), 120 + 480 + 375 + 120);
}

TEST(ColourWindow, AClickHandsTheElementNumberBackAndCloses) {
    StartedProgram t;
    ui::Control& passage = t.program->principal().control("lblPassage");
    for (int element : {16, 1, 9}) {
        passage.setCaption("0");
        t.ui.onModal(kColourWindow, [element](ui::Form& colours) {
            colours.raise(ui::elementName("cmdCoul", element), ui::Event::Click);
        });
        t.program->form(kColourWindow).Show(true);
        EXPECT_EQ(passage.caption(), std::to_string(element));
        EXPECT_FALSE(t.program->form(kColourWindow).isLoaded());
    }
    // Closed any other way: the caller's 0 stays.
    passage.setCaption("0");
    t.ui.onModal(kColourWindow, [](ui::Form& colours) { colours.Unload(); });
    t.program->form(kColourWindow).Show(true);
    EXPECT_EQ(passage.caption(), "0");
}

} // namespace
} // namespace velmora::testing
