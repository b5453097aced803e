list(APPEND VD4_SOURCES speech/CommandMenu.cpp speech/CommandMenu.h)
