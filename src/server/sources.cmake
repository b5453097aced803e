list(APPEND VD4_SOURCES
  server/ServerRequest.cpp server/ServerRequest.h
  server/ColorTable.cpp server/ColorTable.h
  server/TrackingTypes.cpp server/TrackingTypes.h)
list(APPEND VD4_SOURCES server/ChangeDialogs.cpp server/ChangeDialogs.h)
list(APPEND VD4_SOURCES server/DataForms.cpp server/DataForms.h)
list(APPEND VD4_SOURCES server/DictationList.cpp server/DictationList.h)
