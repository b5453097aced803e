#pragma once
#include <QString>

class QWidget;

namespace vd {
// Shows the topmost splash window frmSplashMessage with one text; an empty
// text hides it. Does nothing while splash messages are disabled.
void SplashMessage(const QString& text);
// The splash window, when it exists (for tests and layout).
QWidget* SplashWindow();
} // namespace vd
