list(APPEND VD4_SOURCES
  control/clsButtonCommand.cpp control/clsVoiceCommand.cpp
  control/CurrentControl.cpp control/CurrentControl.h
  control/ControlStrip.cpp control/ControlStrip.h
  control/StatusDisplay.cpp control/StatusDisplay.h
  control/Transport.cpp control/Transport.h
  control/DictationPrivate.h
  control/Dictation.cpp control/DictationOperations.cpp control/RecordingOperations.cpp
  control/RecordingPersistence.cpp
  control/RecordingInitialization.cpp
  control/QueueOperations.cpp
  control/DataEditing.cpp
  control/ImportExport.cpp
  control/SetupString.cpp)
