#include "common/ErrorGuard.h"
#include "common/Hourglass.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"
#include "services/VantorMessage.h"
#include "support/RecordingUtils.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vd;

namespace {
// Installs a recording utility component and a message component for one test.
struct GuardFixture : ::testing::Test {
    RecordingUtils utils;
    ScriptedMessages messages;
    void SetUp() override {
        Slots().utility = &utils;
        MessageComponentSet(std::make_unique<VantorMessage>());
    }
    void TearDown() override {
        Slots().utility = nullptr;
        MessageComponentSet(nullptr);
    }
};

int procedureThatFails(int& reached) {
    int result = 0;
    ErrorGuard({"Wave File Class", "BytesPerSample"}, [&] {
        result = 7;
        reached = 1;
        throw Failure(QStringLiteral("Division by zero"));
    });
    return result;
}
} // namespace

TEST_F(GuardFixture, LogsTheExactPrefixAndReturnsTheResultSoFar) {
    int reached = 0;
    EXPECT_EQ(procedureThatFails(reached), 7);
    EXPECT_EQ(reached, 1);
    ASSERT_EQ(utils.log.size(), 1);
    EXPECT_EQ(utils.log[0], QStringLiteral("VantorDictation4 - Wave File Class \u2013 BytesPerSample \u2013 "
                                           "'Division by zero'"));
}

TEST_F(GuardFixture, PrefixVariantsAndForeignExceptions) {
    EXPECT_FALSE(ErrorGuard({"Global Procedures Module", "HelpFileShow", PrefixStyle::Hyphen},
                            [] { throw std::runtime_error("no help"); }));
    EXPECT_FALSE(ErrorGuard({"Global Procedures Module", "GridCellValueSet", PrefixStyle::NoProject},
                            [] { throw 42; }));
    EXPECT_FALSE(ErrorGuard({"Dictation Class", "PlaybackMaxTime", PrefixStyle::EnDash, "Get "},
                            [] { throw Failure(QStringLiteral("x")); }));
    EXPECT_TRUE(ErrorGuard({"Dictation Class", "Nothing"}, [] {}));
    ASSERT_EQ(utils.log.size(), 3);
    EXPECT_EQ(utils.log[0], "VantorDictation4 - Global Procedures Module - HelpFileShow - 'no help'");
    EXPECT_EQ(utils.log[1], "Global Procedures Module - GridCellValueSet - 'Unknown error'");
    EXPECT_EQ(utils.log[2],
              QStringLiteral("VantorDictation4 - Dictation Class \u2013 Get PlaybackMaxTime \u2013 'x'"));
}

TEST_F(GuardFixture, AFailingErrorLogIsShownThroughTheMessageComponent) {
    utils.failWrites = true;
    int reached = 0;
    EXPECT_EQ(procedureThatFails(reached), 7);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Error logging application error \u2013 'Disk full'"));
    EXPECT_EQ(messages.shown[0].buttons, 0);
    EXPECT_EQ(messages.shown[0].title, "Quillmoor");
}

TEST_F(GuardFixture, LibraryProceduresLogUnderTheirOwnNames) {
    EXPECT_EQ(StringToInteger("99999"), 0);
    ASSERT_EQ(utils.log.size(), 1);
    EXPECT_EQ(utils.log[0],
              QStringLiteral(
                  "VantorDictation4 - Global Procedures Module \u2013 StringToInteger \u2013 'Overflow'"));
}

TEST(Hourglass, CountsNestingAndNeverGoesNegative) {
    EXPECT_EQ(HourglassCount(), 0);
    {
        HourglassScope outer;
        HourglassScope inner;
        EXPECT_EQ(HourglassCount(), 2);
    }
    EXPECT_EQ(HourglassCount(), 0);
    HourglassDecrement();
    EXPECT_EQ(HourglassCount(), 0);
}
