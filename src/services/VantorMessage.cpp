#include "VantorMessage.h"

#include "common/ColorScheme.h"
#include "common/ProcessState.h"

#include <QDebug>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace vd {

namespace {
struct ButtonSet {
    QList<int> answers; // left to right
};

ButtonSet buttonsOf(int code) {
    switch (code & 0x0F) {
    case 1:
        return {{AnswerOK, AnswerCancel}};
    case 2:
        return {{3, 4, 5}}; // abort, retry, ignore
    case 3:
        return {{AnswerYes, AnswerNo, AnswerCancel}};
    case 4:
        return {{AnswerYes, AnswerNo}};
    case 5:
        return {{4, AnswerCancel}}; // retry, cancel
    default:
        return {{AnswerOK}};
    }
}

QMessageBox::StandardButton standardButton(int answer) {
    switch (answer) {
    case AnswerOK:
        return QMessageBox::Ok;
    case AnswerCancel:
        return QMessageBox::Cancel;
    case 3:
        return QMessageBox::Abort;
    case 4:
        return QMessageBox::Retry;
    case 5:
        return QMessageBox::Ignore;
    case AnswerYes:
        return QMessageBox::Yes;
    case AnswerNo:
        return QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

class BoxAnswerer : public MessageAnswerer {
public:
    VantorMessage* owner = nullptr;
    int answer(const QString& text, int buttons, const QString& title) override {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return MessageDefaultAnswer(buttons);
        QMessageBox box;
        box.setWindowTitle(title);
        box.setText(text);
        switch (buttons & 0xF0) {
        case 0x10:
            box.setIcon(QMessageBox::Critical);
            break;
        case 0x20:
            box.setIcon(QMessageBox::Question);
            break;
        case 0x30:
            box.setIcon(QMessageBox::Warning);
            break;
        case 0x40:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        const ButtonSet set = buttonsOf(buttons);
        QList<QAbstractButton*> made;
        for (int a : set.answers)
            made.append(box.addButton(standardButton(a)));
        const int defaultIndex = (buttons >> 8) & 0x3;
        if (defaultIndex < made.size()) box.setDefaultButton(qobject_cast<QPushButton*>(made[defaultIndex]));
        FormCustomColorSet(&box);
        box.exec();
        const int clicked = made.indexOf(box.clickedButton());
        return clicked >= 0 ? set.answers[clicked]
                            : (set.answers.contains(AnswerCancel) ? AnswerCancel : set.answers.last());
    }
};

BoxAnswerer& boxAnswerer() {
    static BoxAnswerer a;
    return a;
}

MessageAnswerer*& current() {
    static MessageAnswerer* a = nullptr;
    return a;
}
} // namespace

void MessageAnswererSet(MessageAnswerer* answerer) { current() = answerer; }

int MessageDefaultAnswer(int buttons) {
    const ButtonSet set = buttonsOf(buttons);
    const int index = (buttons >> 8) & 0x3;
    return index < set.answers.size() ? set.answers[index] : set.answers.first();
}

} // namespace vd

QVariant VantorMessage::MessageShow(const QString& strText, int intButtons, const QString& strTitle) {
    vd::MessageAnswerer* answerer = vd::current() ? vd::current() : &vd::boxAnswerer();
    return QVariant(answerer->answer(strText, intButtons, strTitle));
}

void VantorMessage::MessageInitialize(QObject* objVantorUtils, qint32 lngFormBackground,
                                      qint32 lngTextBackground, qint32 lngTextForeground, qint32 lngButton) {
    m_utility = objVantorUtils;
    MessageColorsSet(lngFormBackground, lngTextBackground, lngTextForeground, lngButton);
}

void VantorMessage::MessageColorsSet(qint32 lngFormBackground, qint32 lngTextBackground,
                                     qint32 lngTextForeground, qint32 lngButton) {
    m_colors[0] = lngFormBackground;
    m_colors[1] = lngTextBackground;
    m_colors[2] = lngTextForeground;
    m_colors[3] = lngButton;
}

namespace vd {
int MessageShow(const QString& text, int buttons, const QString& title) {
    if (auto* message = qobject_cast<MessageComponent*>(Slots().message.data()))
        return message->MessageShow(text, buttons, title).toInt();
    qWarning().noquote() << title << text;
    return MessageDefaultAnswer(buttons);
}
} // namespace vd
