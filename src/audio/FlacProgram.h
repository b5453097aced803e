#pragma once
// The FLAC command-line program, run as a separate hidden process to
// compress recordings for storage and to expand them after reading.

#include <QString>

namespace vd {

// SharedFiles/flac beside the library when present, else flac on PATH.
QString FlacProgramPath();

// Compresses wavPath into flacPath, the program deleting its input when it
// has written the output. Waits up to timeoutMs (polling every 100 ms while
// letting events run); true when the input is gone.
bool FlacCompress(const QString& wavPath, const QString& flacPath, int timeoutMs = 30000);
// Expands flacPath into wavPath likewise; true when the input is gone.
bool FlacDecompress(const QString& flacPath, const QString& wavPath, int timeoutMs = 30000);

} // namespace vd
