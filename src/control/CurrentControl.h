#pragma once
// The process-wide current control: the last one initialised.

class Dictation;

namespace vd {
Dictation* DictationControlPointer();
void DictationControlPointerSet(Dictation* control);
} // namespace vd
