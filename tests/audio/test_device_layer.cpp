// The control's audio device layer over its recorder: quality by recording
// type, playback volume by device name, the level indicator colours, and the
// real recorder behind the control.
#include "AudioTestSupport.h"

#include "control/ControlFixture.h"
#include "control/DictationPrivate.h"

#include <gtest/gtest.h>

using namespace VantorDictation4;
using namespace audiotest;

namespace {

TEST_F(ControlFixture, QualityDefaultsFollowTheRecordingType) {
    control->setRecordingQualitySamples(RecordingQualitySamples_Default);
    control->setRecordingQualitySampleSize(RecordingQualitySampleSize_Default);
    control->setRecordingQualityChannels(RecordingQualityChannels_Default);
    QString error;
    control->ControlLoad(QString(), error);
    EXPECT_EQ(recorder->SampleRate(), 11025);
    EXPECT_EQ(recorder->BitsPerSample(), 8);
    EXPECT_EQ(recorder->Channels(), 1);
    control->setRecordingType(RecordingType_PhoneMessage);
    control->internals().configureAudio();
    EXPECT_EQ(recorder->SampleRate(), 8000);
    EXPECT_EQ(recorder->BitsPerSample(), 8);
    control->setRecordingQualitySamples(RecordingQualitySamples_CD);
    control->setRecordingQualitySampleSize(RecordingQualitySampleSize_CD);
    control->setRecordingQualityChannels(RecordingQualityChannels_Stereo);
    control->internals().configureAudio();
    EXPECT_EQ(recorder->SampleRate(), 44100);
    EXPECT_EQ(recorder->BitsPerSample(), 16);
    EXPECT_EQ(recorder->Channels(), 2);
}

TEST_F(ControlFixture, PlaybackRateSurvivesAReconfiguredRecorder) {
    control->setPlaybackAudioRate(AudioRate_Slower);
    recorder->setPlaybackRate(100); // e.g. a recorder that was replaced or reset
    control->internals().configureAudio();
    EXPECT_EQ(recorder->PlaybackRate(), AudioRate_Slower);
    EXPECT_EQ(control->RecordingAudioRate(), AudioRate_Slower);
}

TEST_F(ControlFixture, PlaybackVolumeBelongsToTheNamedOutputDevice) {
    vd::AudioDeviceLayer& layer = control->internals().audio;
    EXPECT_EQ(layer.GetDeviceIDPlayback("usb headset "), 1);
    EXPECT_EQ(layer.GetDeviceIDPlayback("Nothing"), 0); // two devices: the first
    control->setVolumePlayback(37);
    EXPECT_EQ(recorder->OutputVolume(), 37);
    EXPECT_EQ(control->VolumePlayback(), 37);
    ASSERT_FALSE(events.isEmpty());
    EXPECT_EQ(events.last().name, "VolumePlayback");
    EXPECT_EQ(events.last().newValue, "37");

    // Names are compared on their first 32 characters, as device products.
    recorder->playbackDevices = {QString(40, u'x')};
    EXPECT_EQ(layer.GetDeviceIDPlayback(QString(32, u'X')), 0);
    // One device and no matching name: no device, no volume.
    EXPECT_EQ(layer.GetDeviceIDPlayback("Speakers"), -1);
    EXPECT_EQ(control->VolumePlayback(), -1);
    recorder->playbackDevices.clear();
    EXPECT_EQ(layer.GetDeviceIDPlayback(""), -1);
}

TEST_F(ControlFixture, LevelIndicatorColours) {
    vd::AudioDeviceLayer& layer = control->internals().audio;
    const qint32 background = 0x00C0C0C0;
    recorder->setVoxActive(1);
    recorder->setVoxStartVolume(-24);
    recorder->level = -10;
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_RecordingOverwrite, true, background), 65280); // green
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_RecordingInsert, true, background), 65280);
    recorder->level = -24;
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_RecordingInsert, true, background),
              65280); // at start: green
    recorder->level = -30;
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_RecordingInsert, true, background), 65535); // yellow
    recorder->overload = 1;
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_RecordingInsert, true, background), 255); // red
    recorder->voxState = 1;
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_RecordingInsert, true, background), 0); // black
    // Anything else shows the control's background.
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_Playback, true, background), background);
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_RecordingOverwriteStandby, true, background),
              background);
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_RecordingInsert, false, background), background);
    recorder->setVoxActive(0);
    EXPECT_EQ(layer.LevelIndicatorColor(RecordingMode_RecordingInsert, true, background), background);
}

TEST(ControlAudio, UsesTheRealRecorderOnTheConfiguredBackend) {
    Dictation control; // the tests run with VD4_AUDIO_BACKEND=virtual
    auto* recorder = dynamic_cast<vd::AudioRecorder*>(control.audioRecordingControl());
    ASSERT_NE(recorder, nullptr);
    EXPECT_EQ(recorder->backend().name(), "virtual");
    EXPECT_EQ(control.DeviceRecordingList(), "Windows Default\tVirtual Microphone");
    EXPECT_EQ(control.DevicePlaybackList(), "Windows Default\tVirtual Speaker\tVirtual Headphones");
    EXPECT_EQ(control.VolumePlayback(), 100);
}

// The control's position and length members read the recorder while it runs.
TEST_F(ControlFixture, PositionAndLengthFollowARunningRecording) {
    auto rigBackend =
        std::make_unique<vd::VirtualAudioBackend>(vd::VirtualAudioBackend::Clock::Manual, 11025, 110);
    vd::VirtualAudioBackend* backend = rigBackend.get();
    auto owned = std::make_unique<vd::AudioRecorder>(std::move(rigBackend));
    vd::AudioRecorder* real = owned.get();
    control->setAudioRecordingControl(std::move(owned));
    recorder = nullptr;
    backend->setMicrophoneTone(-12, 400);
    control->setRecordingQualitySamples(RecordingQualitySamples_Default);
    control->setRecordingQualitySampleSize(RecordingQualitySampleSize_CD);
    control->internals().configureAudio();
    QString file = folder.filePath("Dictation_1.WAV");
    real->FileNew(file);
    real->Record();
    for (int i = 0; i < 50; ++i) {
        real->Synchronize();
        backend->advance(110);
    }
    real->Synchronize();
    EXPECT_EQ(control->RecordingCurrentSample(), 5500);
    EXPECT_EQ(control->RecordingTotalSamples(), 5500);
    EXPECT_NEAR(control->RecordingCurrentSeconds(), 5500 / 11025.0, 1e-9);
    EXPECT_EQ(real->State(), vd::AudioRecordingControl::StateRecording);
    real->Stop();
    control->setRecordingCurrentSeconds(0.1);
    EXPECT_EQ(control->RecordingCurrentSample(), 1103);
    EXPECT_NEAR(control->RecordingTotalSeconds(), 5500 / 11025.0, 1e-9);
    vd::clsWaveFile w;
    ASSERT_TRUE(w.FileRead(file));
    EXPECT_EQ(w.RecordingSampleRate(), 11025);
    EXPECT_EQ(w.RecordingSampleSize(), 16);
}

} // namespace
