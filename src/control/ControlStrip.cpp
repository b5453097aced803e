#include "ControlStrip.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QWidget>

namespace vd {

using namespace VantorDictation4;

namespace {
struct ElementDesign {
    const char* name;
    enum Kind { Button, Label, Meter, Picture } kind;
    const char* caption;
    const char* tooltip;
};

const ElementDesign kDesign[] = {
    {"cmdBeginning", ElementDesign::Button, "|<", "Position recording to the beginning"},
    {"cmdRewind", ElementDesign::Button, "<<", "Brief rewind of recording (ctl-X)"},
    {"cmdPlay", ElementDesign::Button, ">", ""},
    {"cmdForward", ElementDesign::Button, ">>", "Brief fast forward of recording"},
    {"cmdEnding", ElementDesign::Button, ">|", "Position recording to the end"},
    {"cmdEOL", ElementDesign::Button, "EOL", "Command Mode"},
    {"cmdRecording", ElementDesign::Button, "Rec", ""},
    {"cmdInsert", ElementDesign::Button, "Ins", ""},
    {"cmdEdit", ElementDesign::Button, "Edit", "Edit dictation data"},
    {"cmdNextDictation", ElementDesign::Button, "Next", "Go to next dictation"},
    {"cmdDictationList", ElementDesign::Button, "List", "Display dictation list"},
    {"audioControl", ElementDesign::Meter, "", "Current recording sound level"},
    {"lblLevelColor", ElementDesign::Label, "",
     "Visual indicator of correct sound level - Green:Good, Black:Paused, Red:Overload"},
    {"lblTimerText", ElementDesign::Label, "", "Current recording time position"},
    {"lblStatusText", ElementDesign::Label, "", "Current recording status"},
    {"cmdDictationConferenceModeToggle", ElementDesign::Button, "D", ""},
    {"cmdVoiceRecognition", ElementDesign::Button, "VR", "Create new voice recognition document"},
    {"lblDictationNameText", ElementDesign::Label, "", "File name"},
    {"imgHelp", ElementDesign::Picture, "?", ""},
};

// Hidden holders of the pictures the code swaps in.
const char* const kPictureHolders[] = {
    "pctDictationConferenceModeON", "pctDictationConferenceModeOFF", "pctRecordingNew",
    "pctRecordingOperation",        "pctVoiceRecognitionOn",         "pctVoiceRecognitonOff",
    "pctIconConferenceOn"};

constexpr int kGap = 105; // twips between groups
} // namespace

ControlStrip::ControlStrip(QWidget* owner) : m_owner(owner) {
    for (const ElementDesign& e : kDesign) {
        QWidget* w = nullptr;
        switch (e.kind) {
        case ElementDesign::Button: {
            auto* b = new QToolButton(owner);
            b->setText(QString::fromUtf8(e.caption));
            b->setFixedSize(twips(480), twips(360));
            w = b;
            break;
        }
        case ElementDesign::Label: {
            auto* l = new QLabel(owner);
            l->setFixedHeight(twips(360));
            l->setMinimumWidth(twips(240));
            l->setAlignment(Qt::AlignCenter);
            l->setAutoFillBackground(true);
            w = l;
            break;
        }
        case ElementDesign::Meter: {
            auto* m = new QProgressBar(owner);
            m->setRange(-100, 0);
            m->setValue(-100);
            m->setTextVisible(false);
            m->setFixedSize(twips(900), twips(360));
            w = m;
            break;
        }
        case ElementDesign::Picture: {
            auto* l = new QLabel(QString::fromUtf8(e.caption), owner);
            l->setAlignment(Qt::AlignCenter);
            l->setFixedSize(twips(360), twips(360));
            w = l;
            break;
        }
        }
        const QString name = QString::fromUtf8(e.name);
        w->setObjectName(name);
        w->setToolTip(QString::fromUtf8(e.tooltip));
        m_elements.insert(name, w);
        m_order << name;
    }
    label(QStringLiteral("lblTimerText"))->setMinimumWidth(twips(1300));
    label(QStringLiteral("lblStatusText"))->setMinimumWidth(twips(1500));
    for (const char* name : kPictureHolders) {
        auto* holder = new QLabel(owner);
        holder->setObjectName(QString::fromUtf8(name));
        holder->hide();
    }
    int x = 0;
    for (int i = 0; i < 5; ++i) { // the transport buttons keep their designed places
        QWidget* w = m_elements.value(m_order[i]);
        w->move(x, 0);
        x += w->width();
    }
}

QLabel* ControlStrip::label(const QString& objectName) const {
    return qobject_cast<QLabel*>(element(objectName));
}

QToolButton* ControlStrip::button(const QString& objectName) const {
    return qobject_cast<QToolButton*>(element(objectName));
}

int ControlStrip::twips(int value) const {
    const int dpi = m_owner->logicalDpiX() > 0 ? m_owner->logicalDpiX() : 96;
    return value * dpi / 1440;
}

void ControlStrip::applyTooltips(bool conferenceMode, gdenmDictationType type) {
    const bool text = type == DictationType_TextOnly || type == DictationType_TextAndRecording ||
                      type == DictationType_ExternalText;
    QString play, record, insert, mode;
    if (conferenceMode) {
        play = text ? QString() : QStringLiteral("Play / Pause recording (ctl-Y)");
        record = text ? QStringLiteral("Start / Stop microphone (ctl-Y)")
                      : QStringLiteral("Toggle recording mode");
        insert = text ? QString() : QStringLiteral("Toggle insert / overwrite mode");
        mode = text ? QStringLiteral("Conference mode - click for dictation mode - press 'Record' to toggle "
                                     "microphone on/off")
                    : QStringLiteral("Conference mode - click for dictation mode - press 'Play' to toggle "
                                     "play/pause in recording");
    } else {
        play = text ? QString() : QStringLiteral("Hold button to play recording");
        record = text ? QStringLiteral("Hold button to use microphone")
                      : QStringLiteral("Hold button to overwrite recording");
        insert = text ? QString() : QStringLiteral("Hold button to insert into recording");
        mode = text
                   ? QStringLiteral(
                         "Dictation mode - click for conference mode - Press and hold 'Record' to use "
                         "microphone")
                   : QStringLiteral("Dictation mode - click for conference mode - Press and hold 'Record' or "
                                    "'Play' buttons");
    }
    element(QStringLiteral("cmdPlay"))->setToolTip(play);
    element(QStringLiteral("cmdRecording"))->setToolTip(record);
    element(QStringLiteral("cmdInsert"))->setToolTip(insert);
    QToolButton* modeButton = button(QStringLiteral("cmdDictationConferenceModeToggle"));
    modeButton->setToolTip(mode);
    modeButton->setText(conferenceMode ? QStringLiteral("C") : QStringLiteral("D"));
}

void ControlStrip::layout(const StripVisibility& shown) {
    QWidget* eol = element(QStringLiteral("cmdEOL"));
    QWidget* ending = element(QStringLiteral("cmdEnding"));
    int x = ending->geometry().right() + 1 + twips(kGap);
    auto place = [&](const char* name, bool visible) {
        QWidget* w = element(QString::fromUtf8(name));
        w->setVisible(visible);
        if (visible) {
            w->move(x, 0);
            x += w->width();
        }
        return visible;
    };
    place("cmdEOL", true);
    Q_UNUSED(eol);
    place("cmdRecording", shown.record);
    place("cmdInsert", shown.insert);
    place("cmdEdit", shown.edit);
    place("cmdNextDictation", shown.nextDictation);
    place("cmdDictationList", shown.dictationList);
    x += twips(kGap);
    auto group = [&](bool any) {
        if (any) x += twips(kGap);
    };
    group(place("audioControl", shown.levels) | place("lblLevelColor", shown.levelColor));
    group(place("lblTimerText", shown.timer));
    group(place("lblStatusText", shown.status));
    group(place("cmdDictationConferenceModeToggle", shown.status) |
          place("cmdVoiceRecognition", shown.voiceRecognition));
    QLabel* name = label(QStringLiteral("lblDictationNameText"));
    QWidget* help = element(QStringLiteral("imgHelp"));
    if (shown.dictationName) {
        const int width = std::max(0, m_owner->width() - x - help->width() - twips(210));
        name->setFixedWidth(width);
    }
    group(place("lblDictationNameText", shown.dictationName));
    help->move(x, 0);
    help->show();
}

void ControlStrip::resized() {
    QWidget* help = element(QStringLiteral("imgHelp"));
    help->move(m_owner->width() - help->width() - twips(kGap), help->y());
    int rightEdge = 0;
    for (const QString& name : m_order) {
        if (name == QStringLiteral("imgHelp") || name == QStringLiteral("lblDictationNameText")) continue;
        QWidget* w = m_elements.value(name);
        if (!w->isHidden()) rightEdge = std::max(rightEdge, w->geometry().right() + 1);
    }
    help->setVisible(rightEdge <= help->x());
    QLabel* name = label(QStringLiteral("lblDictationNameText"));
    if (!name->isHidden()) {
        const int width = help->x() - name->x() - twips(kGap);
        name->setFixedWidth(width < 0 ? 2 : width);
    }
}

void ControlStrip::setAppearance(short appearance) {
    for (const char* n : {"lblTimerText", "lblStatusText", "lblDictationNameText"})
        label(QString::fromUtf8(n))
            ->setFrameStyle(appearance == 1 ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
}

} // namespace vd
