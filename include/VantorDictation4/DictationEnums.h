#pragma once
// Public enumerations. Their values are stored in setup strings and server
// records and compiled into host code: never renumber. Each has int as its
// underlying type, so any number read from stored data is a valid value.

#include <QObject>

#include "Export.h"

namespace VantorDictation4 {
Q_NAMESPACE_EXPORT(VD4_EXPORT)

enum gdenmSpeechmikeButton : int {
    SpeechmikeButton_Command = 1,
    SpeechmikeButton_Record = 2,
    SpeechmikeButton_Insert = 3,
    SpeechmikeButton_Rewind = 4,
    SpeechmikeButton_PlayPause = 5,
    SpeechmikeButton_Forward = 6,
    SpeechmikeButton_Function1 = 7,
    SpeechmikeButton_Function2 = 8,
    SpeechmikeButton_Function3 = 9,
    SpeechmikeButton_Function4 = 10,
    SpeechmikeButton_Instruction = 11,
};
Q_ENUM_NS(gdenmSpeechmikeButton)

enum gdenmRecordingType : int {
    RecordingType_Dictation = 0,
    RecordingType_PhoneMessage = 1,
};
Q_ENUM_NS(gdenmRecordingType)

enum gdenmRecordingQualitySamples : int {
    RecordingQualitySamples_Default = 0,
    RecordingQualitySamples_PhoneMessage = 8000,
    RecordingQualitySamples_Normal = 11025,
    RecordingQualitySamples_High = 22050,
    RecordingQualitySamples_CD = 44100,
};
Q_ENUM_NS(gdenmRecordingQualitySamples)

enum gdenmRecordingQualitySampleSize : int {
    RecordingQualitySampleSize_Default = 0,
    RecordingQualitySampleSize_Normal = 8,
    RecordingQualitySampleSize_CD = 16,
};
Q_ENUM_NS(gdenmRecordingQualitySampleSize)

enum gdenmRecordingQualityChannels : int {
    RecordingQualityChannels_Default = 0,
    RecordingQualityChannels_Mono = 1,
    RecordingQualityChannels_Stereo = 2,
};
Q_ENUM_NS(gdenmRecordingQualityChannels)

enum gdenmRecordingMode : int {
    RecordingMode_None = 0,
    RecordingMode_PlaybackStandby = 1,
    RecordingMode_Playback = 2,
    RecordingMode_RecordingInsertStandby = 3,
    RecordingMode_RecordingInsert = 4,
    RecordingMode_RecordingOverwriteStandby = 5,
    RecordingMode_RecordingOverwrite = 6,
    RecordingMode_Command = 7,
    RecordingMode_CommandStandby = 8,
    RecordingMode_HeaderDataOnly = 9,
    RecordingMode_DictationMicOn = 10,
    RecordingMode_DictationMicOff = 11,
    RecordingMode_TextMini = 12,
    RecordingMode_TextTranscription = 13,
    RecordingMode_VoiceRecognition = 14,
    RecordingMode_AudioFileRecognition = 15,
};
Q_ENUM_NS(gdenmRecordingMode)

enum gdenmDictationPriority : int {
    DictationPriority_Low = 1,
    DictationPriority_Normal = 2,
    DictationPriority_High = 3,
    DictationPriority_Stat = 4,
};
Q_ENUM_NS(gdenmDictationPriority)

enum gdenmAudioRate : int {
    AudioRate_Slowest = 30,
    AudioRate_Slower = 50,
    AudioRate_Slow = 64,
    AudioRate_SlightlySlower = 80,
    AudioRate_Normal = 100,
    AudioRate_Quick = 120,
    AudioRate_Quicker = 144,
    AudioRate_Quickest = 175,
    AudioRate_Fast = 210,
    AudioRate_Faster = 250,
    AudioRate_Fastest = 300,
};
Q_ENUM_NS(gdenmAudioRate)

enum gdenmFootpedalAction : int {
    FootpedalAction_None = 0,
    FootpedalAction_Rewind = 1,
    FootpedalAction_Play = 2,
    FootpedalAction_Forward = 3,
};
Q_ENUM_NS(gdenmFootpedalAction)

enum gdenmDictationType : int {
    DictationType_None = 0,
    DictationType_RecordingOnly = 1,
    DictationType_TextOnly = 2,
    DictationType_TextAndRecording = 3,
    DictationType_ExternalText = 4,
};
Q_ENUM_NS(gdenmDictationType)

enum mdenmSpeechMikeProLight : int {
    SpeechMikeProLight_Command = 1,
    SpeechMikeProLight_Record = 2,
    SpeechMikeProLight_Insert = 3,
};
Q_ENUM_NS(mdenmSpeechMikeProLight)

enum mdenmSpeechMikeProStatus : int {
    SpeechMikeProStatus_Off = 0,
    SpeechMikeProStatus_On = 1,
    SpeechMikeProStatus_Standby = 2,
};
Q_ENUM_NS(mdenmSpeechMikeProStatus)

enum gdenmRecognitionMode : int {
    RecognitionMode_Unknown = 0,
    RecognitionMode_Normal = 1,
    RecognitionMode_Spell = 2,
    RecognitionMode_Number = 3,
    RecognitionMode_Hidden = 4,
};
Q_ENUM_NS(gdenmRecognitionMode)

enum gdenmDragonbarMode : int {
    DragonbarMode_Off = -1,
    DragonbarMode_DockedTop = 0,
    DragonbarMode_DockedBottom = 1,
    DragonbarMode_Floating = 2,
    DragonbarMode_Cling = 3,
    DragonbarMode_TrayIcon = 4,
};
Q_ENUM_NS(gdenmDragonbarMode)

enum gdenmDragonRoamingMode : int {
    DragonRoamingMode_None = 0,
    DragonRoamingMode_Normal = 1,
    DragonRoamingMode_Database = 2,
};
Q_ENUM_NS(gdenmDragonRoamingMode)

enum gdenmTranscriptionType : int {
    TranscriptionTypeDictation = 0,
    TranscriptionTypeVoiceRecognition = 1,
    TranscriptionTypeTranscription = 2,
};
Q_ENUM_NS(gdenmTranscriptionType)

enum genmWorkflowTrackingDictation : int {
    WorkflowTrackingDictation_None = 0,
    WorkflowTrackingDictation_Workflow = 1,
    WorkflowTrackingDictation_AfterDictation = 2,
};
Q_ENUM_NS(genmWorkflowTrackingDictation)

enum genmWorkflowTrackingVoiceRecognition : int {
    WorkflowTrackingVoiceRecognition_None = 0,
    WorkflowTrackingVoiceRecognition_Workflow = 1,
    WorkflowTrackingVoiceRecognition_BeforeTranscription = 2,
    WorkflowTrackingVoiceRecognition_AfterTranscription = 3,
};
Q_ENUM_NS(genmWorkflowTrackingVoiceRecognition)

enum genmWorkflowTrackingTranscription : int {
    WorkflowTrackingTranscription_None = 0,
    WorkflowTrackingTranscription_Workflow = 1,
    WorkflowTrackingTranscription_BeforeTranscription = 2,
    WorkflowTrackingTranscription_AfterTranscription = 3,
};
Q_ENUM_NS(genmWorkflowTrackingTranscription)

} // namespace VantorDictation4
