// Feeds arbitrary text to the lenient conversions and field procedures.
#include "common/StringProcedures.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vd;
    const QString text = StringByteArrayToUnicode(QByteArray(reinterpret_cast<const char*>(data), int(size)));
    if (StringUnicodeToByteArray(text) != QByteArray(reinterpret_cast<const char*>(data), int(size)))
        __builtin_trap(); // the byte/text mapping must be lossless
    const int n = size ? data[0] - 128 : 0;
    StringLeft(text, n);
    StringRight(text, n);
    StringMid(text, n, n / 2);
    StringDelimiterCount(text, QStringLiteral("|"));
    StringElement(text, QStringLiteral("|"), n);
    StringToInteger(text);
    StringToLongwordInteger(text);
    StringToSinglewordFloat(text);
    StringToDoublewordFloat(text);
    StringToDate(text);
    StringToBoolean(text);
    TextLocationConvert(text);
    FileNameOnly(text);
    FormatSecondsTime(StringToDoublewordFloat(text));
    return 0;
}
