list(APPEND VD4_SOURCES
  audio/AudioRecordingControl.h
  audio/MemoryAudioRecorder.cpp audio/MemoryAudioRecorder.h
  audio/AudioDeviceLayer.cpp audio/AudioDeviceLayer.h)
