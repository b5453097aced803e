#pragma once
// The process-wide colour scheme applied to forms by control kind.

#include <QColor>

class QWidget;
class QLineEdit;

namespace vd {
// A classic colour value: 0x00BBGGRR, or 0x800000nn for system colour nn.
QColor OleColorToQColor(qint32 value);
qint32 QColorToOleColor(const QColor& color);

// Paints form and its children from the scheme: text boxes, lists and combo
// boxes take the text colours, labels and check boxes the container's
// background and the text foreground, buttons the button colour.
void FormCustomColorSet(QWidget* form);
// Required colour while empty, text background once filled.
void TextboxRequiredColor(QLineEdit* textbox);
} // namespace vd
