#pragma once
#include <QString>

class QWidget;

namespace vd {
// Folder of the help topics shipped with the library.
QString HelpFolder();
// Shows topic in the topmost window titled "Help" (kept process-wide).
void HelpFileShow(const QString& topic);
// The help window when it is open.
QWidget* HelpWindow();
// Closes the help window if one is open.
void HelpWindowClose();
} // namespace vd
