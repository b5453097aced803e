#include "ControlFixture.h"

#include "control/DictationPrivate.h"
#include "speech/CommandMenu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace VantorDictation4;

namespace {
struct MenuFixture : ControlFixture {
    std::unique_ptr<vd::frmCommandOptions> menu;
    int beginnings = 0;

    void open(gdenmRecordingMode mode) {
        control->setRecordingMode(mode);
        menu = std::make_unique<vd::frmCommandOptions>(
            control.get(), vd::CommandMenuActions{[this] { ++beginnings; }, nullptr});
        menu->Initialize();
        menu->show();
    }
    QLabel* label(int index) {
        for (QLabel* l : menu->findChildren<QLabel*>("txtMenuOption"))
            if (l->property("Index").toInt() == index) return l;
        return nullptr;
    }
    void key(int index, int k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(label(index), &press);
    }
};
} // namespace

TEST_F(MenuFixture, EnabledOptionsFollowTheModeBeforeTheMenu) {
    open(RecordingMode_RecordingOverwriteStandby);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_CommandStandby);
    EXPECT_EQ(menu->savedMode(), RecordingMode_RecordingOverwriteStandby);
    for (int i = 0; i <= 10; ++i)
        EXPECT_TRUE(menu->optionEnabled(i)) << i;
    EXPECT_FALSE(menu->optionEnabled(11)); // speech options only without a recording
    EXPECT_EQ(label(4)->text(), "Toggle to Conference mode");

    open(RecordingMode_None);
    EXPECT_TRUE(menu->optionEnabled(0));
    for (int i : {1, 2, 3, 4, 5})
        EXPECT_FALSE(menu->optionEnabled(i)) << i;
    EXPECT_TRUE(menu->optionEnabled(11));
}

TEST_F(MenuFixture, WithoutTheRecordButtonTheMenuIsShorter) {
    open(RecordingMode_PlaybackStandby);
    const int fullHeight = menu->height();
    control->setDisplayRecordButton(false);
    open(RecordingMode_PlaybackStandby);
    int shown = 0;
    for (int i = 0; i < vd::frmCommandOptions::kOptions; ++i)
        shown += label(i)->isHidden() ? 0 : 1;
    EXPECT_EQ(shown, 9);
    EXPECT_LT(menu->height(), fullHeight);
    EXPECT_FALSE(menu->optionEnabled(1));
}

TEST_F(MenuFixture, KeyboardMovesWrapAndEscapeRestoresTheMode) {
    open(RecordingMode_None); // enabled: 0 and 6 to 11
    label(11)->setFocus();
    key(11, Qt::Key_Down);
    EXPECT_EQ(menu->highlighted(), 0);
    key(0, Qt::Key_Down);
    EXPECT_EQ(menu->highlighted(), 6); // 1 to 5 are disabled
    key(6, Qt::Key_Up);
    EXPECT_EQ(menu->highlighted(), 0);
    key(0, Qt::Key_Escape);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_None);
    EXPECT_FALSE(menu->isVisible());
}

TEST_F(MenuFixture, MovingAndTogglingRestoreTheModeAfterwards) {
    open(RecordingMode_PlaybackStandby);
    menu->ProcessSelection(3);
    EXPECT_EQ(beginnings, 1);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    open(RecordingMode_PlaybackStandby);
    menu->ProcessSelection(4);
    EXPECT_TRUE(control->DictationConferenceMode());
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
}

TEST_F(MenuFixture, CancellingAChangedRecordingAsksFirst) {
    int cancelled = 0;
    QObject::connect(control.get(), &Dictation::RecordingCancelled, [&] { ++cancelled; });
    control->internals().data.recordingChanged = true;
    auto answer = [](const char* button) {
        QTimer::singleShot(0, [button] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "Cancel Recording");
            dialog->findChild<QPushButton*>(button)->click();
        });
    };
    open(RecordingMode_RecordingOverwriteStandby);
    answer("cmdDecline");
    menu->ProcessSelection(2);
    EXPECT_EQ(cancelled, 0);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    open(RecordingMode_RecordingOverwriteStandby);
    answer("cmdAccept");
    menu->ProcessSelection(2);
    EXPECT_EQ(cancelled, 1);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_None);
}

TEST_F(MenuFixture, SpokenWordsRunTheirOptionExactly) {
    open(RecordingMode_PlaybackStandby);
    menu->CommandQueue("audio import export"); // not the menu's word
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 60)
        QCoreApplication::processEvents();
    EXPECT_TRUE(menu->isVisible());
    menu->CommandQueue("toggle conference");
    t.restart();
    while (t.elapsed() < 60)
        QCoreApplication::processEvents();
    EXPECT_FALSE(menu->isVisible());
    EXPECT_TRUE(control->DictationConferenceMode());
}
