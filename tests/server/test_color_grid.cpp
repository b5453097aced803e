// The colour table loader with its fallback, colour letters, and the grid
// cell code scheme.
#include "server/ColorTable.h"

#include "common/ProcessState.h"
#include "services/VantorMessage.h"
#include "support/FakeRelayHubServer.h"
#include "support/RecordingUtils.h"

#include <gtest/gtest.h>

using namespace vd;

namespace {

class Colors : public ::testing::Test {
protected:
    void SetUp() override {
        Slots().relayHubServer = &server;
        Slots().utility = &utils;
        ColorTable().clear();
    }
    void TearDown() override {
        Slots().relayHubServer = nullptr;
        Slots().utility = nullptr;
        ColorTable().clear();
    }
    FakeRelayHubServer server;
    RecordingUtils utils;
    ScriptedMessages messages;
};

TEST_F(Colors, AnswerFromItsSixthCharacterUpToCode1) {
    server.answers.insert("|GET|COLOR|", QString("|OK||10\t\t-1\t255") + QChar(1) + "ignored\t7");
    PopulateColor();
    EXPECT_EQ(ColorTable(), (QStringList{"10", "255", "-1", "255"}));
    EXPECT_EQ(ColorCodeToRGB("@", 99), 10);
    EXPECT_EQ(ColorCodeToRGB("A", 99), 255) << "an empty entry became 255";
    EXPECT_EQ(ColorCodeToRGB("B", 99), -1);
    EXPECT_EQ(ColorCodeToRGB("Z", 99), 99) << "outside the table";
    EXPECT_EQ(ColorCodeToRGB("", 99), 99);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(Colors, NoAnswerBeepsAndLogs) {
    ColorTable() = QStringList{"1"};
    PopulateColor();
    EXPECT_EQ(utils.log, QStringList{"|GET|COLOR| failed"});
    EXPECT_EQ(ColorTable(), QStringList{"1"});
}

TEST_F(Colors, AMismatchedAnswerFallsBackToTheBuiltInTable) {
    server.answers.insert("|GET|COLOR|", "|OK||12\tred\t3");
    PopulateColor();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text,
              "Workaround for server mismatch in Populate Color | Error Description:Type mismatch");
    EXPECT_EQ(messages.shown[0].title, "Quillmoor");
    ASSERT_EQ(ColorTable().size(), 101);
    EXPECT_EQ(ColorCodeToRGB("A", 0), 6414400);
    EXPECT_EQ(ColorCodeToRGB("k", 0), 167428520) << "entry 43, larger than 24 bits";
    EXPECT_EQ(ColorCodeToRGB("[", 7), 7) << "entry 27 is empty";
    EXPECT_EQ(ColorCodeToRGB("p", 0), 16769596);
    EXPECT_EQ(ColorCodeToRGB("q", 5), 5);
}

TEST_F(Colors, GridCellFormatsSplitTextAndCode) {
    ColorTable() = ColorTableFallback();
    GridCell cell;
    GridParseCell(cell, 0, "plain");
    EXPECT_EQ(cell.text, "plain");
    EXPECT_EQ(cell.backColor, 0xFFFFFF);

    GridParseCell(cell, 1, "PatientQG225");
    EXPECT_EQ(cell.text, "Patient");
    EXPECT_EQ(cell.backColor, 16777215);
    EXPECT_EQ(cell.textColor, 255);
    EXPECT_EQ(cell.alignment, 2);
    EXPECT_EQ(cell.number, 25);

    GridParseCell(cell, 2, "12/01QZx");
    EXPECT_EQ(cell.text, "12/01");
    EXPECT_EQ(cell.textColor, 0);
    EXPECT_EQ(cell.alignment, 0) << "a digit that is not numeric keeps its default";

    GridParseCell(cell, 4, "STAT3742QG1");
    EXPECT_EQ(cell.text, "STAT");
    EXPECT_EQ(cell.leadingDigit1, 3);
    EXPECT_EQ(cell.leadingDigit2, 7);
    EXPECT_EQ(cell.styleValue, 2);
    EXPECT_TRUE(cell.styleFlag1);
    EXPECT_EQ(cell.controlType, GridControlCheckBox);
    EXPECT_EQ(cell.alignment, 1);

    GridParseCell(cell, 4, "abc");
    EXPECT_EQ(cell.text, "") << "shorter than its suffix";
    EXPECT_EQ(cell.controlType, 0);
    EXPECT_EQ(cell.backColor, 0xFFFFFF);
}

TEST_F(Colors, ControlTypesAndChoiceLists) {
    ColorTable() = ColorTableFallback();
    GridCell cell;
    GridParseCell(cell, 3, "1293QZ0", {"zero", "a\nb\nc"});
    EXPECT_EQ(cell.controlType, GridControlChoice);
    EXPECT_EQ(cell.choiceList, "a\nb\nc");
    EXPECT_EQ(cell.choiceIndex, 2);
    EXPECT_EQ(cell.choiceText, "c");
    EXPECT_EQ(cell.styleValue, -1);

    GridParseCell(cell, 3, "XYes|No04QZ0");
    EXPECT_EQ(cell.controlType, GridControlDropList);
    EXPECT_EQ(cell.text, "X");
    EXPECT_EQ(cell.choiceList, "Yes|No");
    GridParseCell(cell, 3, "XY06QZ0");
    EXPECT_EQ(cell.choiceList, "no data");

    GridParseCell(cell, 3, "12.50BQZ0");
    EXPECT_EQ(cell.controlType, GridControlStatic);
    EXPECT_DOUBLE_EQ(cell.numericValue, 12.5);
    GridParseCell(cell, 3, "n/a0BQZ0");
    EXPECT_DOUBLE_EQ(cell.numericValue, 0.0);

    GridParseCell(cell, 3, "label17QZ0");
    EXPECT_EQ(cell.controlType, GridControlLabel);
    EXPECT_TRUE(cell.styleFlag1);
    EXPECT_EQ(cell.choiceList, "label");
    GridParseCell(cell, 3, "go28QZ0");
    EXPECT_EQ(cell.controlType, GridControlButton);
    EXPECT_TRUE(cell.styleFlag2);
    GridParseCell(cell, 3, "x51QZ0");
    EXPECT_EQ(cell.controlType, GridControlEdit);
    EXPECT_EQ(cell.styleValue, 2);
    EXPECT_TRUE(cell.styleFlag2);
    GridParseCell(cell, 3, "x6ZQZ0");
    EXPECT_EQ(cell.styleValue, 4);
    EXPECT_EQ(cell.controlType, 0) << "an unknown control-type character leaves the default";
}

} // namespace
