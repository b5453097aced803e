// Dictation Desk as its user meets it: the embedded hub, the worklist, a
// dictation started for a patient, and the setup kept between runs.
#include "DeskWindow.h"

#include <VantorDictation4/Dictation.h>

#include <QFile>
#include <QStandardPaths>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace VantorDictation4;

TEST(Desk, DictatesForAWorklistPatientAndKeepsItsSetup) {
    QFile::remove(DeskWindow::setupFilePath());
    {
        DeskWindow desk(DeskHubSettings{});
        EXPECT_TRUE(desk.hubDescription().startsWith("embedded hub")) << desk.hubDescription().toStdString();
        ASSERT_GE(desk.worklist()->rowCount(), 2);
        EXPECT_TRUE(desk.restoreSetup().isEmpty());
        EXPECT_TRUE(desk.control()->Initialized());
        desk.dictateFor(0);
        EXPECT_EQ(desk.control()->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
        EXPECT_EQ(desk.control()->DictationPatientAccountNumber(), desk.worklist()->item(0, 0)->text());
        EXPECT_EQ(desk.control()->DictationPatientName(), desk.worklist()->item(0, 1)->text());
        desk.saveSetup();
    }
    ASSERT_TRUE(QFile::exists(DeskWindow::setupFilePath()));
    DeskWindow again(DeskHubSettings{});
    EXPECT_TRUE(again.restoreSetup().isEmpty());
    EXPECT_EQ(again.control()->DictationPatientAccountNumber(), again.worklist()->item(0, 0)->text());
    EXPECT_EQ(again.control()->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
}
