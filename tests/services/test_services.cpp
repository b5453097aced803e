#include "common/ProcessState.h"
#include "common/SplashMessage.h"
#include "services/VantorMessage.h"
#include "services/VantorUtils.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace vd;

TEST(VantorUtilsLog, AppendsTimeStampedLinesAndFailsLoudly) {
    QTemporaryDir dir;
    VantorUtils utils(dir.filePath("logs/error.log"));
    QString first = "first problem", second = "second problem";
    utils.ErrorLogWrite(first);
    utils.ErrorLogWrite(second);
    QFile file(utils.logFilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].endsWith(" first problem"));
    EXPECT_TRUE(QDateTime::fromString(lines[1].left(23), "yyyy-MM-dd HH:mm:ss.zzz").isValid());

    VantorUtils broken(dir.path()); // a folder cannot be opened as a file
    QString text = "x";
    EXPECT_THROW(broken.ErrorLogWrite(text), std::exception);
    EXPECT_LE(qAbs(utils.DateTimeCurrentGet().secsTo(QDateTime::currentDateTime())), 2);
}

TEST(MessageComponent, ScriptedAnswersAreRecordedWithoutAWindow) {
    ScriptedMessages script;
    script.answers.enqueue(AnswerNo);
    VantorMessage message;
    EXPECT_EQ(
        message.MessageShow("Failed to save recording header, retry?", 4, "Database save failure").toInt(),
        AnswerNo);
    // With the queue empty the default button answers.
    EXPECT_EQ(message.MessageShow("Notice", 0, "Quillmoor").toInt(), AnswerOK);
    EXPECT_EQ(message.MessageShow("Length?", 308, "Length Mismatch").toInt(), AnswerNo);
    EXPECT_EQ(message.MessageShow("Save changes to document?", 3, "Save Changes").toInt(), AnswerYes);
    ASSERT_EQ(script.shown.size(), 4);
    EXPECT_EQ(script.shown[0].title, "Database save failure");
    EXPECT_EQ(script.shown[2].buttons, 308);
}

TEST(MessageComponent, DefaultAnswersFollowTheButtonCodes) {
    EXPECT_EQ(MessageDefaultAnswer(0), AnswerOK);
    EXPECT_EQ(MessageDefaultAnswer(1), AnswerOK);
    EXPECT_EQ(MessageDefaultAnswer(4), AnswerYes);
    EXPECT_EQ(MessageDefaultAnswer(260), AnswerNo); // Yes/No, second default
    EXPECT_EQ(MessageDefaultAnswer(3 | 0x200), AnswerCancel);
}

TEST(MessageComponent, InitialiseKeepsUtilityAndColours) {
    VantorUtils utils(QDir::temp().filePath("vd4-unused.log"));
    VantorMessage message;
    message.MessageInitialize(&utils, 1, 2, 3, 4);
    EXPECT_EQ(message.utility(), &utils);
    EXPECT_EQ(message.formBackground(), 1);
    message.MessageColorsSet(5, 6, 7, 8);
    EXPECT_EQ(message.buttonColor(), 8);
}

TEST(Splash, ShowsHidesAndHonoursTheDisabledFlag) {
    SplashDisabled() = true;
    SplashMessage("Loading Dragonspeak");
    EXPECT_TRUE(SplashWindow() == nullptr || !SplashWindow()->isVisible());
    SplashDisabled() = false;
    SplashMessage("Splitting audio file into phrases");
    ASSERT_NE(SplashWindow(), nullptr);
    EXPECT_EQ(SplashWindow()->objectName(), "frmSplashMessage");
    EXPECT_TRUE(SplashWindow()->isVisible());
    EXPECT_TRUE(SplashWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
    SplashMessage("");
    EXPECT_FALSE(SplashWindow()->isVisible());
}
