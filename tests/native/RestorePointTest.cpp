// Restore points over the scripted restore service: the records each call
// sends, the errors of the classes, the release of an unended point, and
// start-up's restore point with its message window and its failure.

#include "core/CRestorePoint.h"
#include "core/frmMessage.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

using platform::RestorePointRequest;

std::string Show(const RestorePointRequest& r) {
    return std::to_string(r.eventType) + " " + std::to_string(r.restorePointType) + " " +
           std::to_string(r.sequenceNumber) + " [" + r.description + "]";
}

struct Service : TestProgram {
    CSystemRestore restore{TestProgram::restore, files};
    Strings sent() const {
        Strings out;
        for (const RestorePointRequest& r : TestProgram::restore.requests)
            out.push_back(Show(r));
        return out;
    }
};

const std::string kPadded64 = "Restore Point for Velmora" + std::string(64 - 25, ' ');
const std::string kBeginX = "100 12 0 [x" + std::string(63, ' ') + "]";

TEST(RestorePoint, RecordsSentAndErrorsRaised) {
    const std::string d64(64, 'd'), ended = "101 0 4294967298 []";
    const std::string cancelled = "101 13 4294967298 []";
    const std::string tooLong = "Restore point description cannot be any longer than 64 chars";
    const std::string disabled = "Restore point failed.\r\nReason : System Restore is disabled.";
    const std::string pending = "Restore point failed.\r\nReason : Pending file-rename operations "
                                "exist in the file D:\\WIN\\Wininit.ini.";
    const std::string twice = "This restorepoint has already been terminated";
    const std::string mutex = "Ending restore point failed.\r\nReason : The call timed out due to "
                              "a wait on a mutex for setting restore points.";
    const struct {
        std::string description;
        long beginFailure, ends, endFailure; // failures: the service's error codes
        Strings sent;
        long error; // 0: none
        std::string message;
    } cases[] = {
        {d64, 0, 1, 0, {"100 12 0 [" + d64 + "]", ended}, 0, ""},
        {d64 + "d", 0, 0, 0, {}, 1000, tooLong},
        {"x", 1058, 0, 0, {kBeginX}, 1001, disabled},
        {"x", 80, 0, 0, {kBeginX}, 1001, pending},
        {"x", 0, 2, 0, {kBeginX, ended}, 1002, twice},
        // A point not ended, by a failure or not at all, is cancelled when released.
        {"x", 0, 1, 1460, {kBeginX, ended, cancelled}, 1001, mutex},
        {"x", 0, 0, 0, {kBeginX, cancelled}, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.empty() ? c.sent.back() : c.message);
        Service s;
        s.files.setEnvironment("windir", "D:\\WIN");
        s.TestProgram::restore.nextSequence = 0x100000002;
        long error = 0;
        std::string message;
        try {
            if (c.beginFailure)
                s.TestProgram::restore.failNext(c.beginFailure);
            auto point = s.restore.BeginRestorePoint(12, c.description);
            if (c.endFailure)
                s.TestProgram::restore.failNext(c.endFailure);
            for (int end = 0; end < c.ends; ++end)
                point->EndRestorePoint();
        } catch (const RestorePointError& e) {
            error = e.number;
            message = e.what();
        }
        EXPECT_EQ(s.sent(), c.sent);
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(message, c.message);
    }
}

// Start-up on XP, the question answered Yes.
struct XpStart : Service {
    XpStart() {
        reg.WriteRegValue(HKCU, kProgramKey, "Language", platform::RegSz, std::string("english"));
        system.setVersion({2, 5, 1, 2600, true});
        ui.answerNext(ui::ResultYes);
    }
    std::string lng(const char* key) { return Lng(*program, "RESTAURATION", key); }
};

TEST(CreateRestorePoint, BeginsAndEndsWithTheMessageWindowShownMeanwhile) {
    XpStart t;
    Strings shownTexts;
    t.ui.onDoEvents = [&] {
        if (ui::Form* m = t.program->existingForm(kMessageWindow); m && m->isVisible())
            shownTexts.push_back(m->control("lblMessage").caption());
    };
    t.start();
    EXPECT_EQ(t.sent(), (Strings{"100 12 0 [" + kPadded64 + "]", "101 0 1 []"}));
    EXPECT_EQ(shownTexts, (Strings{t.lng("lbl000"), t.lng("lbl003")}));
    EXPECT_FALSE(t.program->form(kMessageWindow).isLoaded());
    EXPECT_EQ(t.ui.messages.size(), 1u); // the question only
}

TEST(CreateRestorePoint, AFailedBeginIsShownAndStartUpGoesOn) {
    XpStart t;
    t.TestProgram::restore.failNext(1058);
    t.start();
    ASSERT_EQ(t.ui.messages.size(), 2u);
    EXPECT_EQ(t.ui.messages[1].text,
              "Restore point failed.\r\nReason : System Restore is disabled.");
    EXPECT_EQ(t.ui.messages[1].style, ui::MbCritical);
    EXPECT_FALSE(t.program->form(kMessageWindow).isLoaded());
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_EQ(t.ui.mousePointer(), ui::PointerDefault);
    EXPECT_EQ(t.sent(), Strings{"100 12 0 [" + kPadded64 + "]"});
}

} // namespace
} // namespace velmora::testing
