#pragma once
// The message component: message boxes and questions with the classic
// button codes (0 OK, 1 OK/Cancel, 3 Yes/No/Cancel, 4 Yes/No; +0x10..0x40
// icon; +0x100/0x200 second/third button default) and answer codes
// (OK 1, Cancel 2, Yes 6, No 7).

#include <VantorDictation4/HostComponents.h>

#include <QList>
#include <QQueue>

namespace vd {
enum MessageAnswer { AnswerOK = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

// Who answers the boxes. The default shows a QMessageBox; tests install a
// scripted one so that no window appears.
class MessageAnswerer {
public:
    virtual ~MessageAnswerer() = default;
    virtual int answer(const QString& text, int buttons, const QString& title) = 0;
};
// Installs answerer process-wide (nullptr restores the QMessageBox one).
void MessageAnswererSet(MessageAnswerer* answerer);

// The answer a box gives when its default button is taken.
int MessageDefaultAnswer(int buttons);

// Answers from a queue and records every box shown. With the queue empty it
// takes the default button.
class ScriptedMessages : public MessageAnswerer {
public:
    struct Shown {
        QString text;
        int buttons;
        QString title;
    };
    ScriptedMessages() { MessageAnswererSet(this); }
    ~ScriptedMessages() override { MessageAnswererSet(nullptr); }
    int answer(const QString& text, int buttons, const QString& title) override {
        shown.append({text, buttons, title});
        return answers.isEmpty() ? MessageDefaultAnswer(buttons) : answers.dequeue();
    }
    QQueue<int> answers;
    QList<Shown> shown;
};
} // namespace vd

class VD4_EXPORT VantorMessage : public MessageComponent {
    Q_OBJECT
public:
    using MessageComponent::MessageComponent;
    QVariant MessageShow(const QString& strText, int intButtons, const QString& strTitle) override;
    void MessageInitialize(QObject* objVantorUtils, qint32 lngFormBackground, qint32 lngTextBackground,
                           qint32 lngTextForeground, qint32 lngButton) override;
    void MessageColorsSet(qint32 lngFormBackground, qint32 lngTextBackground, qint32 lngTextForeground,
                          qint32 lngButton) override;

    QObject* utility() const { return m_utility; }
    qint32 formBackground() const { return m_colors[0]; }
    qint32 buttonColor() const { return m_colors[3]; }

private:
    QObject* m_utility = nullptr;
    qint32 m_colors[4] = {0, 0, 0, 0};
};

namespace vd {
// Shows a message through the process-wide message component and returns
// its answer code; without one, logs the text and takes the default button.
int MessageShow(const QString& text, int buttons = 0, const QString& title = QStringLiteral("Quillmoor"));
} // namespace vd
