#include "ControlFixture.h"

#include "settings/SettingsDialogs.h"
#include "speech/CommandMenu.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

using namespace VantorDictation4;

namespace {
QLineEdit* box(QWidget* form, const char* name) { return form->findChild<QLineEdit*>(name); }
QString rateText(vd::frmOptions& f) { return f.findChild<QComboBox*>("cboPlaybackAudioRate")->currentText(); }
} // namespace

TEST_F(ControlFixture, OptionsSnapTheRateAndDefaultTheSteps) {
    vd::frmOptions form;
    form.Initialize(90, 0, 0, 0);
    EXPECT_EQ(rateText(form), "Normal");
    EXPECT_EQ(box(&form, "txtForwardMilliseconds")->text(), "1.0");
    EXPECT_EQ(box(&form, "txtRewindMilliseconds")->text(), "1.0");
    EXPECT_EQ(box(&form, "txtRewindAfterPlayMilliseconds")->text(), "0.0");
    form.Initialize(200, 2500, 300, 150);
    EXPECT_EQ(rateText(form), "Quickest");
    EXPECT_EQ(box(&form, "txtRewindMilliseconds")->text(), "2.5");
    form.Initialize(0, 1, 1, 1);
    EXPECT_EQ(rateText(form), "Normal");
    for (auto [rate, snapped] : {std::pair{30, 30},
                                 {31, 50},
                                 {64, 64},
                                 {65, 80},
                                 {119, 100},
                                 {120, 120},
                                 {299, 250},
                                 {300, 300},
                                 {301, 100},
                                 {-4, 100}})
        EXPECT_EQ(vd::frmOptions::SnapRate(rate), snapped) << rate;
}

TEST_F(ControlFixture, OptionsValidateTheirSteps) {
    vd::frmOptions form;
    form.Initialize(100, 1000, 1000, 0);
    box(&form, "txtForwardMilliseconds")->setText("1000");
    EXPECT_TRUE(form.validate(1));
    box(&form, "txtForwardMilliseconds")->setText("1000.1");
    EXPECT_FALSE(form.validate(1));
    box(&form, "txtRewindMilliseconds")->setText("abc");
    EXPECT_FALSE(form.validate(0));
    box(&form, "txtRewindAfterPlayMilliseconds")->setText("-1");
    EXPECT_FALSE(form.validate(2));
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_EQ(messages.shown[0].text, "Forward value may not be more than 1000");
    EXPECT_EQ(messages.shown[1].text, "Rewind value must be a number");
    EXPECT_EQ(messages.shown[2].text, "Rewind before play value must be above zero");

    box(&form, "txtForwardMilliseconds")->setText("0.1");
    form.step(1, false);
    EXPECT_EQ(box(&form, "txtForwardMilliseconds")->text(), "0.1");
    box(&form, "txtRewindAfterPlayMilliseconds")->setText("0.05");
    form.step(2, false);
    EXPECT_EQ(box(&form, "txtRewindAfterPlayMilliseconds")->text(), "0.0");
    form.step(2, true);
    EXPECT_EQ(box(&form, "txtRewindAfterPlayMilliseconds")->text(), "0.1");

    box(&form, "txtRewindMilliseconds")->setText("");
    EXPECT_FALSE(form.save());
    EXPECT_EQ(messages.shown.last().text, "Missing rewind time");
    box(&form, "txtRewindMilliseconds")->setText("2.25");
    box(&form, "txtForwardMilliseconds")->setText("3");
    EXPECT_TRUE(form.save());
    EXPECT_FALSE(form.FormCancel());
    EXPECT_EQ(form.RewindMilliseconds(), 2300); // the box keeps one decimal
    EXPECT_EQ(form.ForwardMilliseconds(), 3000);
    EXPECT_EQ(form.RewindAfterPlayMilliseconds(), 100);
}

TEST_F(ControlFixture, VoxSlidersKeepStartAboveStopAndCalibrate) {
    auto calibration = std::make_unique<vd::MemoryAudioRecorder>();
    calibration->level = -40;
    vd::frmVoxOptions form(std::move(calibration));
    form.Initialize("", true, 0, -60, 25);
    EXPECT_EQ(form.slider("sldVoxStartVolume")->value(), -24);
    EXPECT_EQ(form.slider("sldVoxStopVolume")->value(), -30);
    EXPECT_EQ(form.slider("sldVoxWaitTimeTenths")->value(), 5);
    form.slider("sldVoxStartVolume")->setValue(-40);
    EXPECT_EQ(form.slider("sldVoxStopVolume")->value(), -40);
    form.slider("sldVoxStopVolume")->setValue(-10);
    EXPECT_EQ(form.slider("sldVoxStartVolume")->value(), -10);

    form.applyCalibration(-5);
    EXPECT_EQ(form.slider("sldVoxStopVolume")->value(), 0);
    EXPECT_EQ(form.slider("sldVoxStartVolume")->value(), 0);
    form.calibrate(); // 100 ticks of the calibration recorder at -40 dB
    QElapsedTimer t;
    t.start();
    while (form.findChild<QTimer*>("tmrVoxCalibrate")->isActive() && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(form.slider("sldVoxStopVolume")->value(), -31);
    EXPECT_EQ(form.slider("sldVoxStartVolume")->value(), -28);
    EXPECT_TRUE(form.save());
    EXPECT_TRUE(form.VoxActive());
    EXPECT_EQ(form.VoxStartVolume(), -28.0f);
}

TEST_F(ControlFixture, VolumesAndDevices) {
    vd::frmVolumeSettings volumes;
    volumes.Initialize(150, -1);
    EXPECT_TRUE(volumes.save());
    EXPECT_EQ(volumes.VolumeRecording(), 70);
    EXPECT_EQ(volumes.VolumePlayback(), 70);

    vd::frmDeviceSelection devices;
    devices.Initialize("Windows Default\tUSB Headset\tLine In", "Windows Default\tSpeakers", " line in ", "",
                       FootpedalAction_Rewind, FootpedalAction_Play, FootpedalAction_None);
    EXPECT_EQ(devices.findChild<QListWidget*>("lstDeviceRecordingName")->currentItem()->text(), "Line In");
    EXPECT_EQ(devices.findChild<QListWidget*>("lstDevicePlaybackName")->currentItem()->text(),
              "Windows Default");
    for (QRadioButton* option : devices.findChildren<QRadioButton*>("optActionRight"))
        if (option->property("Index").toInt() == FootpedalAction_Forward) option->setChecked(true);
    EXPECT_TRUE(devices.save());
    EXPECT_EQ(devices.DeviceRecordingName(), "Line In");
    EXPECT_EQ(devices.FootpedalActionMiddle(), FootpedalAction_Play);
    EXPECT_EQ(devices.FootpedalActionRight(), FootpedalAction_Forward);
}

TEST_F(ControlFixture, TheMenuWritesSettingsBackAndOnlyAPermanentSaveIsReported) {
    auto runOptions = [&](bool permanently, const char* forward) {
        control->setRecordingMode(RecordingMode_PlaybackStandby);
        vd::frmCommandOptions menu(control.get(), {});
        menu.Initialize();
        QTimer::singleShot(0, [permanently, forward] {
            QWidget* form = QApplication::activeModalWidget();
            ASSERT_NE(form, nullptr);
            ASSERT_EQ(form->objectName(), "frmOptions");
            form->findChild<QLineEdit*>("txtForwardMilliseconds")->setText(forward);
            form->findChild<QCheckBox*>("chkSavePermanently")->setChecked(permanently);
            form->findChild<QPushButton*>("cmdSave")->click();
        });
        menu.ProcessSelection(6);
        EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    };
    runOptions(false, "4");
    EXPECT_EQ(control->ForwardMilliseconds(), 4000);
    EXPECT_FALSE(control->AudioSettingHaltEvents());
    EXPECT_TRUE(events.isEmpty());
    runOptions(true, "5");
    EXPECT_EQ(control->ForwardMilliseconds(), 5000);
    ASSERT_FALSE(events.isEmpty());
    EXPECT_EQ(events.last().name, "ForwardMilliseconds");
    EXPECT_EQ(events.last().newValue, "5000");
}
