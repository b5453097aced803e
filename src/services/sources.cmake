list(APPEND VD4_SOURCES
  services/VantorUtils.cpp services/VantorUtils.h
  services/VantorMessage.cpp services/VantorMessage.h
  services/HostServices.h)
