list(APPEND VD4_SOURCES
  common/ErrorGuard.cpp common/ErrorGuard.h
  common/ProcessState.cpp common/ProcessState.h
  common/StringProcedures.cpp common/StringProcedures.h
  common/Hourglass.cpp common/Hourglass.h
  common/SplashMessage.cpp common/SplashMessage.h
  common/ColorScheme.cpp common/ColorScheme.h
  common/HelpWindow.cpp common/HelpWindow.h)
