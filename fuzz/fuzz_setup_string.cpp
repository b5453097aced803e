// Loads arbitrary setup strings into a control and writes them back.
#include <VantorDictation4/Dictation.h>

#include "common/StringProcedures.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int argc = 1;
    static char arg0[] = "fuzz";
    static char* argv[] = {arg0, nullptr};
    // Under libFuzzer we own the application; in the replay test it exists.
    static QCoreApplication* app = QCoreApplication::instance() ? QCoreApplication::instance() : [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    (void)app;
    static Dictation control;
    // Bytes 0xE8 are the field separator, so short inputs reach every field.
    const QString setup =
        vd::StringByteArrayToUnicode(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    QString error, out;
    control.ControlLoad(setup, error);
    control.ControlUnload(out, error);
    return 0;
}
