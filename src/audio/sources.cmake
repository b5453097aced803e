list(APPEND VD4_SOURCES
  audio/AudioRecordingControl.h
  audio/MemoryAudioRecorder.cpp audio/MemoryAudioRecorder.h
  audio/AudioDeviceLayer.cpp audio/AudioDeviceLayer.h
  audio/clsWaveFile.cpp audio/clsWaveFile.h
  audio/FloatRing.h audio/AudioBackend.h
  audio/VirtualAudioBackend.cpp audio/VirtualAudioBackend.h
  audio/PortAudioBackend.cpp audio/PortAudioBackend.h
  audio/AudioRecorder.cpp audio/AudioRecorder.h
  audio/FlacProgram.cpp audio/FlacProgram.h
  audio/RecordingStorage.cpp audio/RecordingStorage.h)

find_package(PkgConfig REQUIRED)
pkg_check_modules(VD4_AUDIO REQUIRED IMPORTED_TARGET portaudio-2.0 samplerate soundtouch)
list(APPEND VD4_PRIVATE_LIBS PkgConfig::VD4_AUDIO)
list(APPEND VD4_SOURCES audio/ImportExportForm.cpp audio/ImportExportForm.h)
