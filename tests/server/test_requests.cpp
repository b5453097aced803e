// Request texts of the catalogue, the single-answer exchange with its
// failure and refusal texts, and the tables loaded at initialisation.
#include "server/ColorTable.h"
#include "server/ServerRequest.h"
#include "server/TrackingTypes.h"

#include "RelayHubServer.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"
#include "services/VantorMessage.h"
#include "support/FakeRelayHubServer.h"
#include "support/RecordingUtils.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace vd;

namespace {

class ServerSide : public ::testing::Test {
protected:
    void SetUp() override {
        Slots().relayHubServer = &server;
        Slots().utility = &utils;
    }
    void TearDown() override {
        Slots().relayHubServer = nullptr;
        Slots().utility = nullptr;
    }
    FakeRelayHubServer server;
    RecordingUtils utils;
    ScriptedMessages messages;
};

TEST(RequestCatalogue, FieldsSitWhereTheServerReadsThem) {
    EXPECT_EQ(RequestNextDictation("PRIORITY, DATE", "*", 0, "*"),
              "|GET|AUDIO|DICTATION|NEXT|PRIORITY, DATE|*|*|N|*");
    EXPECT_EQ(RequestNextDictation("DATE", "JONES", 2, "SMITH"),
              "|GET|AUDIO|DICTATION|NEXT|DATE|JONES|2|N|SMITH");
    const QString list = RequestDictationList("PRIORITY", "*", 0, true, "*", "harrow");
    EXPECT_EQ(list, "|GET|AUDIO|DICTATION|*|PRIORITY|*|*|Y|*|harrow");
    EXPECT_EQ(StringDelimiterCount(RequestDictationList("P", "*", 3, false, "*", ""), "|"), 10);
    // Grid column 5 descending is table column 5, field "3d".
    EXPECT_EQ(RequestDictationListSorted(list, 5, false), list + "|3d");
    EXPECT_EQ(RequestDictationListSorted(list, 7, true), list + "|5");
    EXPECT_EQ(RequestDictationListSorted(list, 2, true), list) << "grid columns 1 and 2 have no sort field";
    EXPECT_EQ(RequestDictationListSorted(list + "|3d", 5, true), list + "|3d")
        << "only with exactly ten separators";
    EXPECT_EQ(RequestStatusChange("R00000007", "TRANSCRIBED"),
              "|SET|AUDIO|DICTATION|R00000007|STATUS|TRANSCRIBED");
    EXPECT_EQ(RequestWorkflowRecords("W1", true), "|GET|AUDIO|DICTATION|WORKFLOW|W1|Y");
    EXPECT_EQ(RequestWorkflowHistory("W1"), "|GET|AUDIO|DICTATION|WORKHIST|W1");
    EXPECT_EQ(RequestWorkflowCancel("W1"), "|GET|AUDIO|DICTATION|WORKFLOW|W1|CANCEL");
    EXPECT_EQ(RequestTrackingTypes(), "|GET|TRAN|INIT|");
    EXPECT_EQ(RequestWorklistData("W1"), "|GET|WORKLIST|W1|DATA");
    EXPECT_EQ(RequestColorTable(), "|GET|COLOR|");
    EXPECT_EQ(StringDelimiterCount(RequestColorTable(), "|"), 3);
}

TEST(RequestCatalogue, StorageAndProfileRequests) {
    EXPECT_EQ(RequestHeaderStore("DICTATION", "NEXTKEY", {"NONE", "", "A1"}),
              "|SET|AUDIO|DICTATION|NEXTKEY|0|NONE||A1");
    EXPECT_EQ(RequestAudioPiece("PHONE_MESSAGE", "R1", 3, "ab|c"), "|SET|AUDIO|PHONE_MESSAGE|R1|3|ab|c");
    EXPECT_EQ(RequestTextPiece("R1", 1, "text"), "|SET|AUDIO|RTF|R1|1|text");
    EXPECT_EQ(RequestHeaderRead("DICTATION", "R1"), "|GET|AUDIO|DICTATION|R1|0");
    EXPECT_EQ(RequestAudioRead("DICTATION", "R1"), "|GET|AUDIO|DICTATION|R1|FILE");
    EXPECT_EQ(RequestTextRead("R1"), "|GET|AUDIO|RTF|R1|FILE");
    EXPECT_EQ(RequestProfileList(), "|GET|FILE|*||DATA|");
    EXPECT_EQ(RequestProfileChunkRead("jones.pm", 2), "|GET|FILE|jones.pm.2||DATA|");
    EXPECT_EQ(RequestProfileChunkWrite("jones.pm", 0, "d", "p"),
              QString("|SET|FILE|jones.pm.0||DATA|jones.pm") + QChar(0xE7) + "d" + QChar(0xE7) + "p");
    EXPECT_EQ(RequestProfileFile("SET", "a.dat", "jones.pm\\x", "OPEN"),
              "|SET|FILE|a.dat|Roaming\\jones.pm\\x|OPEN|");
    EXPECT_EQ(RequestProfileFileWrite("a.dat", "f", "b|y"), "|SET|FILE|a.dat|Roaming\\f|WRITE|b|y");
}

TEST_F(ServerSide, FailureAndRefusalTextsReachTheUser) {
    const QString request = RequestStatusChange("R1", "BUSY");
    QString payload = "stale";
    EXPECT_FALSE(ServerRequestSend(request, failure::StatusChange, payload));
    EXPECT_TRUE(payload.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Error updating status");
    EXPECT_EQ(messages.shown[0].buttons, 0);
    EXPECT_EQ(messages.shown[0].title, "Quillmoor");

    // Two leading blanks: the reason starts at the seventh character.
    server.answers.insert(request, "  error: locked by TOM");
    EXPECT_FALSE(ServerRequestSend(request, failure::StatusChange, payload));
    EXPECT_EQ(messages.shown.last().text, "Error updating status 'r: locked by TOM'");

    server.answers.insert(request, "OK");
    EXPECT_TRUE(ServerRequestSend(request, failure::StatusChange, payload));
    EXPECT_EQ(payload, "OK");
    // Silent requests show nothing.
    EXPECT_FALSE(ServerRequestSend(RequestWorklistData("X"), QString(), payload));
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(utils.log.isEmpty());
}

TEST_F(ServerSide, NoServerIsLoggedNotThrown) {
    Slots().relayHubServer = nullptr;
    QString payload;
    EXPECT_FALSE(
        ServerRequestSend(RequestNextDictation("DATE", "*", 0, "*"), failure::NextDictation, payload));
    ASSERT_EQ(utils.log.size(), 1);
    EXPECT_TRUE(utils.log[0].startsWith(
        QString("VantorDictation4 - Global Procedures Module \u2013 ServerRequestSend")));
}

TEST(ServerTables, InitialisationLoadsTrackingAndColoursFromTheEmbeddedHub) {
    QTemporaryDir dir;
    RelayHubServer hub;
    ASSERT_TRUE(hub.OpenEmbedded(dir.filePath("hub.db"), true));
    Slots().relayHubServer = &hub;
    ColorTable().clear();
    ServerTablesLoad();
    Slots().relayHubServer = nullptr;
    const TrackingTypeTable& table = TrackingTypes();
    EXPECT_TRUE(table.loaded);
    ASSERT_EQ(table.records.size(), 3);
    EXPECT_EQ(table.records[1].code, "QA");
    EXPECT_EQ(table.records[1].description, "Quality assurance");
    EXPECT_EQ(table.records[1].value, "QA1");
    EXPECT_EQ(ColorTable().size(), 101);
    EXPECT_EQ(ColorCodeToRGB("Q", -5), 16777215);
    EXPECT_EQ(ColorCodeToRGB("L", -5), 68992200);
}

} // namespace
