#pragma once
#include <QString>

namespace vd {
// A refusal: the trimmed, upper-cased answer begins with "ERROR:".
bool ResponseIsError(const QString& response);
} // namespace vd
