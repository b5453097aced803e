list(APPEND VD4_SOURCES
  audio/AudioRecordingControl.h
  audio/MemoryAudioRecorder.cpp audio/MemoryAudioRecorder.h
  audio/AudioDeviceLayer.cpp audio/AudioDeviceLayer.h)
list(APPEND VD4_SOURCES
  audio/FlacProgram.cpp audio/FlacProgram.h
  audio/RecordingStorage.cpp audio/RecordingStorage.h)
