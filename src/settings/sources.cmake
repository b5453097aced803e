list(APPEND VD4_SOURCES settings/SettingsDialogs.cpp settings/SettingsDialogs.h)
