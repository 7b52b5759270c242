// The about, message and colour windows: what they show, what their
// controls write and start, and how the colour window hands its choice back.

#include "core/frmAbout.h"
#include "core/frmCouleur.h"
#include "core/frmMessage.h"
#include "app/frmPrincipal.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

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
    Strings focused;
};

struct StartedProgram : TestProgram {
    StartedProgram() {
        seedEnglish();
        start();
    }
    ui::Form& about() { return program->form(kAboutWindow); }
};

TEST(AboutWindow, OkUnloadsItThenTheFocusGoesToTheHolder) {
    StartedProgram t;
    FocusRecorder recorder;
    t.main().attachView(&recorder);
    // Shown and hidden again by OK: held by the window tests.
    t.ui.onModal(kAboutWindow, [&](ui::Form& about) {
        EXPECT_TRUE(recorder.focused.empty());
        about.raise("cmdOK", ui::Event::Click);
    });
    t.click("cmdAbout");
    t.main().attachView(nullptr);
    EXPECT_FALSE(t.about().isLoaded()); // OK unloads it
    EXPECT_EQ(recorder.focused, (Strings{"cmdFocus"}));
}

TEST(AboutWindow, TheRestorePointOptionWritesNoRestaure) {
    StartedProgram t;
    Strings stored;
    for (int value : {1, 0}) {
        t.about().control("chkRestaur").userSetValue(value);
        t.ui.pointers.clear();
        t.about().raise("chkRestaur", ui::Event::Click);
        stored.push_back(t.stored(HKCU, kProgramKey, "NoRestaure"));
        EXPECT_EQ(t.ui.pointers, (std::vector<int>{ui::PointerBusy, ui::PointerDefault}));
    }
    EXPECT_EQ(stored, (Strings{"4 \x01\0\0\0"s, "4 \0\0\0\0"s}));
}

TEST(AboutWindow, SystemInformationFromItsRegisteredPathOrTheToolsFolder) {
    StartedProgram t;
    // Messages and starts after each click: without the tool; with a tools
    // folder that lacks it, then holds it; with a registered path, which
    // comes first; when that tool does not start.
    Strings after;
    const auto click = [&] {
        t.about().raise("cmdSysInfo", ui::Event::Click);
        after.push_back(std::to_string(t.ui.messages.size()) + "/" +
                        std::to_string(t.shell.started.size()));
    };
    click();
    t.reg.WriteRegValue(HKLM, kToolsKey, "MSINFO", RegSz, std::string("C:\\Tools\\MSInfo"));
    click();
    t.putFile("C:\\Tools\\MSInfo\\msinfo32.exe", "MZ");
    click();
    const std::string registered = "C:\\Program Files\\Common Files\\MSInfo\\msinfo32.exe";
    t.reg.WriteRegValue(HKLM, kMsinfoKey, "PATH", RegSz, registered);
    click();
    t.shell.setStartable(false);
    click();
    EXPECT_EQ(after, (Strings{"1/0", "2/0", "2/1", "2/2", "3/3"}));
    EXPECT_EQ(t.messages(), Strings(3, std::to_string(ui::MbOk) + " Velmora | " + kNoSysInfo));
    Strings started;
    for (const auto& s : t.shell.started)
        started.push_back(s.commandLine + " " + std::to_string(s.showCommand));
    EXPECT_EQ(started, (Strings{"\"C:\\Tools\\MSInfo\\MSINFO32.EXE\" 1", "\"" + registered + "\" 1",
                                "\"" + registered + "\" 1"}));
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
        {"PATH", RegSz, "C:\\a.exe\0"s, true, "C:\\a.exe"},
        // Stored without its final zero, and with a zero inside.
        {"Bare", RegSz, "abc", true, "abc"},
        {"Inner", RegSz, "ab\0cd\0"s, true, "ab\0cd"s},
        // 1024 bytes fit, 1025 do not.
        {"Fits", RegSz, std::string(1023, 'x') + '\0', true, std::string(1023, 'x')},
        {"TooLong", RegSz, std::string(1024, 'x') + '\0', false, ""},
        // Other types are found but give no text.
        {"Number", RegDword, "\5\0\0\0"s, true, ""},
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
}

TEST(MessageWindow, ShowsItsTextCentredInTheInnerSizeTheWindowTells) {
    StartedProgram t;
    auto& message = static_cast<frmMessage&>(t.program->form(kMessageWindow));
    ui::Control& label = message.control("lblMessage");
    EXPECT_EQ(label.caption(), "Veuillez patienter pendant la cr\xE9"
                               "ation du point de restauration...");
    message.markScaleSize(7000, 2000);
    const std::string text = "A much longer text that takes most of the window";
    message.DisplayMessage(text);
    const ui::Twips& b = label.bounds();
    EXPECT_EQ(label.caption(), text);
    EXPECT_EQ(label.alignment(), ui::Alignment::Center);
    EXPECT_EQ((std::vector<int>{b.left, b.top}),
              (std::vector<int>{(7000 - b.width) / 2, (2000 - b.height) / 2}));
    EXPECT_TRUE(b.width > 0 && b.left >= 0);
}

TEST(ColourWindow, SixteenSquaresInTheTablesColours) {
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
}

} // namespace
} // namespace velmora::testing
