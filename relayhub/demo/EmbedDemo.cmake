# Turns demo.json into a C++ source so the demo data travels inside the hub library.
file(READ ${INPUT} content)
file(WRITE ${OUTPUT} "// Generated from demo.json.\n#include <QString>\nnamespace relayhub {\nQString DemoDataJson() { return QString::fromUtf8(R\"json(${content})json\"); }\n}\n")
