list(APPEND VD4_SOURCES
  server/ServerRequest.h
  server/TrackingTypes.cpp server/TrackingTypes.h)
