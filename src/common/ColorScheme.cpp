#include "ColorScheme.h"

#include "ErrorGuard.h"
#include "ProcessState.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextEdit>

namespace vd {

QColor OleColorToQColor(qint32 value) {
    const auto v = quint32(value);
    if (v & 0x80000000u) {
        const QPalette palette =
            qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::palette() : QPalette();
        switch (v & 0xFF) {
        case 0x05:
            return palette.color(QPalette::Base); // window
        case 0x08:
            return palette.color(QPalette::Text); // window text
        case 0x0F:
            return palette.color(QPalette::Button); // button face
        case 0x12:
            return palette.color(QPalette::ButtonText); // button text
        case 0x0D:
            return palette.color(QPalette::Highlight); // highlight
        case 0x0E:
            return palette.color(QPalette::HighlightedText); // highlight text
        default:
            return palette.color(QPalette::Window); // borders, faces
        }
    }
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

qint32 QColorToOleColor(const QColor& color) {
    return qint32(quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16));
}

static void paint(QWidget* w, QPalette::ColorRole bgRole, const QColor& bg, const QColor& fg) {
    QPalette p = w->palette();
    p.setColor(bgRole, bg);
    p.setColor(QPalette::WindowText, fg);
    p.setColor(QPalette::Text, fg);
    p.setColor(QPalette::ButtonText, fg);
    w->setPalette(p);
}

void FormCustomColorSet(QWidget* form) {
    ErrorGuard({"Global Procedures Module", "FormCustomColorSet"}, [&] {
        if (!form) return;
        const ColorScheme& c = Colors();
        const QColor formBg = OleColorToQColor(c.formBackground);
        const QColor textBg = OleColorToQColor(c.textBackground);
        const QColor textFg = OleColorToQColor(c.textForeground);
        const QColor button = OleColorToQColor(c.button);
        QPalette p = form->palette();
        p.setColor(QPalette::Window, formBg);
        form->setPalette(p);
        form->setAutoFillBackground(true);
        for (QWidget* w : form->findChildren<QWidget*>()) {
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QTextEdit*>(w) ||
                qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)) {
                paint(w, QPalette::Base, textBg, textFg);
            } else if (qobject_cast<QLabel*>(w) || qobject_cast<QGroupBox*>(w) ||
                       qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
                const QWidget* container = w->parentWidget() ? w->parentWidget() : form;
                paint(w, QPalette::Window, container->palette().color(QPalette::Window), textFg);
            } else if (qobject_cast<QAbstractButton*>(w)) {
                QPalette bp = w->palette();
                bp.setColor(QPalette::Button, button);
                w->setPalette(bp);
            }
        }
    });
}

void TextboxRequiredColor(QLineEdit* textbox) {
    ErrorGuard({"Global Procedures Module", "TextboxRequiredColor"}, [&] {
        if (!textbox) return;
        const ColorScheme& c = Colors();
        QPalette p = textbox->palette();
        p.setColor(QPalette::Base,
                   OleColorToQColor(textbox->text().isEmpty() ? c.required : c.textBackground));
        textbox->setPalette(p);
    });
}

} // namespace vd
