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

using namespace std::string_literals;
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
    std::vector<std::string> stored;
    for (int value : {1, 0}) {
        t.about().control("chkRestaur").userSetValue(value);
        t.ui.pointers.clear();
        t.about().raise("chkRestaur", ui::Event::Click);
        const platform::RegData data = t.stored("NoRestaure");
        stored.push_back(std::to_string(data.type) + " " + data.bytes);
        EXPECT_EQ(t.ui.pointers, (std::vector<int>{ui::PointerBusy, ui::PointerDefault}));
    }
    EXPECT_EQ(stored, (std::vector<std::string>{"4 \x01\0\0\0"s, "4 \0\0\0\0"s}));
}

TEST(AboutWindow, SystemInformationFromItsRegisteredPathOrTheToolsFolder) {
    StartedProgram t;
    // Without the tool: the French message.
    t.about().raise("cmdSysInfo", ui::Event::Click);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, kNoSysInfo);
    EXPECT_EQ(t.ui.messages[0].style, ui::MbOk);
    EXPECT_TRUE(t.shell.started.empty());

    // A tools folder that holds no MSINFO32.EXE: the same.
    t.reg.WriteRegValue(HKLM, kToolsKey, "MSINFO", RegSz, std::string("C:\\Tools\\MSInfo"));
    t.about().raise("cmdSysInfo", ui::Event::Click);
    EXPECT_TRUE(t.shell.started.empty());
    ASSERT_EQ(t.ui.messages.size(), 2u);
    t.putFile("C:\\Tools\\MSInfo\\msinfo32.exe", "MZ");
    t.about().raise("cmdSysInfo", ui::Event::Click);
    ASSERT_EQ(t.shell.started.size(), 1u);
    EXPECT_EQ(t.shell.started[0].commandLine, "\"C:\\Tools\\MSInfo\\MSINFO32.EXE\"");

    // The registered path comes first.
    t.reg.WriteRegValue(HKLM, kMsinfoKey, "PATH", RegSz,
                        std::string("C:\\Program Files\\Common Files\\MSInfo\\msinfo32.exe"));
    t.about().raise("cmdSysInfo", ui::Event::Click);
    ASSERT_EQ(t.shell.started.size(), 2u);
    EXPECT_EQ(t.shell.started[1].commandLine,
              "\"C:\\Program Files\\Common Files\\MSInfo\\msinfo32.exe\"");
    EXPECT_EQ(t.shell.started[1].showCommand, 1);
    EXPECT_EQ(t.ui.messages.size(), 2u);

    // A registered tool that does not start ends with the message too.
    t.shell.setStartable(false);
    t.about().raise("cmdSysInfo", ui::Event::Click);
    EXPECT_EQ(t.shell.started.size(), 3u);
    ASSERT_EQ(t.ui.messages.size(), 3u);
    EXPECT_EQ(t.ui.messages[2].text, kNoSysInfo);
}

TEST(AboutWindow, GetKeyValueReadsTextWithinItsBufferAndNeedsWriteAccess) {
    TestProgram t;
    platform::Registry& store = t.registry;
    const struct {
        const char* name;
        std::uint32_t type; // 0: no such value
        std::string bytes;
        bool found;
        std::string value;
    } cases[] = {
        {"Missing", 0, "", false, ""},
        {"PATH", RegSz, std::string("C:\\a.exe\0", 9), true, "C:\\a.exe"},
        // Stored without its final zero, and with a zero inside.
        {"Bare", RegSz, "abc", true, "abc"},
        {"Inner", RegSz, std::string("ab\0cd\0", 6), true, std::string("ab\0cd", 5)},
        // 1024 bytes fit, 1025 do not.
        {"Fits", RegSz, std::string(1023, 'x') + '\0', true, std::string(1023, 'x')},
        {"TooLong", RegSz, std::string(1024, 'x') + '\0', false, ""},
        // Other types are found but give no text.
        {"Number", RegDword, std::string("\5\0\0\0", 4), true, ""},
    };
    for (const auto& c : cases) {
        if (c.type)
            store.setValue(HKLM, kMsinfoKey, c.name, c.type, c.bytes);
        std::string value = "stale";
        EXPECT_EQ(GetKeyValue(store, HKLM, kMsinfoKey, c.name, value), c.found) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
    }

    // A key the user may read but not change cannot be opened this way.
    t.registry.denyFullAccess(HKLM, kMsinfoKey);
    std::string value;
    EXPECT_FALSE(GetKeyValue(store, HKLM, kMsinfoKey, "PATH", value));
    platform::RegData data;
    EXPECT_EQ(store.queryValue(HKLM, kMsinfoKey, "PATH", 1024, data, 0x20019), platform::RegOk)
        << "read-only access still reads";
}

TEST(MessageWindow, KeepsItsTextCentred) {
    StartedProgram t;
    auto& message = static_cast<frmMessage&>(t.program->form(kMessageWindow));
    ui::Control& label = message.control("lblMessage");
    EXPECT_EQ(label.caption(), "Veuillez patienter pendant la cr\xE9"
                               "ation du point de restauration...");
    // The real inner size, once a window tells it, is what counts.
    for (const std::string text : {"Short",
                                   "A much longer text that takes most of the window "
                                   "and more than one would think reasonable",
                                   "x"}) {
        if (text == "x")
            message.markScaleSize(7000, 2000);
        message.DisplayMessage(text);
        const ui::Twips& b = label.bounds();
        EXPECT_EQ(label.caption(), text);
        EXPECT_EQ(label.alignment(), ui::Alignment::Center);
        EXPECT_EQ(b.left, (message.scaleWidth() - b.width) / 2) << text;
        EXPECT_EQ(b.top, (message.scaleHeight() - b.height) / 2) << text;
        EXPECT_GT(b.width, 0);
        EXPECT_GE(b.left, 0);
    }
    EXPECT_EQ(message.scaleWidth(), 7000);
}

TEST(ColourWindow, SixteenSquaresInTheTablesColoursAClickHandsTheNumberBack) {
    StartedProgram t;
    ui::Form& colours = t.program->form(kColourWindow);
    ASSERT_EQ(colours.elements("cmdCoul").size(), 17u);
    EXPECT_FALSE(colours.control("cmdCoul", 0).visible());
    std::vector<ui::Colour> shown;
    for (int element = 1; element <= 16; ++element) {
        EXPECT_TRUE(colours.control("cmdCoul", element).visible()) << element;
        shown.push_back(colours.control("cmdCoul", element).backColor());
        EXPECT_EQ(ColourOfIndex(*t.program, element), shown.back());
    }
    EXPECT_EQ(shown,
              (std::vector<ui::Colour>{0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                       0x808000, 0x808080, 0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF,
                                       0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF}));

    ui::Control& passage = t.program->principal().control("lblPassage");
    std::vector<std::string> handed;
    for (int element : {16, 1, 9, 0}) { // 0: closed any other way, the caller's 0 stays
        passage.setCaption("0");
        t.ui.onModal(kColourWindow, [element](ui::Form& window) {
            if (element)
                window.raise(ui::elementName("cmdCoul", element), ui::Event::Click);
            else
                window.Unload();
        });
        t.program->form(kColourWindow).Show(true);
        handed.push_back(passage.caption());
        EXPECT_FALSE(t.program->form(kColourWindow).isLoaded());
    }
    EXPECT_EQ(handed, (std::vector<std::string>{"16", "1", "9", "0"}));
}

} // namespace
} // namespace velmora::testing
