#include "CurrentControl.h"

#include <VantorDictation4/Dictation.h>

#include "common/ProcessState.h"

namespace vd {
Dictation* DictationControlPointer() { return qobject_cast<Dictation*>(CurrentControlWidget()); }
void DictationControlPointerSet(Dictation* control) { CurrentControlWidgetSet(control); }
} // namespace vd
