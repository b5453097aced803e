#include "CommandMenu.h"

#include <VantorDictation4/Dictation.h>

#include "audio/AudioRecorder.h"
#include "audio/ImportExportForm.h"
#include "common/ColorScheme.h"
#include "common/ConfirmationDialog.h"
#include "common/ErrorGuard.h"
#include "common/ProcessState.h"
#include "server/ServerRequest.h"
#include "settings/SettingsDialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

using namespace VantorDictation4;

namespace vd {

namespace {
constexpr const char* kModule = "Command Options Form";

struct OptionDesign {
    const char* label;
    const char* tooltip;
};
const std::array<OptionDesign, frmCommandOptions::kOptions> kDesign = {{
    {"Cancel Menu", "Cancel menu and return to recording"},
    {"Save dictation", "Save dictation to database and exit"},
    {"Cancel Recording", "Cancel changes and exit recording"},
    {"Start of Recording", "Move to the beginning of the recording"},
    {"", "Toggle between Conference and Dictation modes"},
    {"End of Recording", "Move to the end of the recording"},
    {"Audio Options", "Set general options"},
    {"Audio Device Selection", "Select recording and playback devices"},
    {"Audio Volume settings", "Set volume settings for both recording and playback"},
    {"Audio Vox Options", "Set options for voice-activated recording (VOX)"},
    {"Audio Import / Export", ""},
    {"Dragonspeak Options", "Set and retrieve dragon speak user profiles"},
}};

int twips(const QWidget* w, int value) {
    const int dpi = w->logicalDpiY() > 0 ? w->logicalDpiY() : 96;
    return value * dpi / 1440;
}
} // namespace

const std::array<const char*, frmCommandOptions::kOptions> frmCommandOptions::kWords = {
    "cancel menu",           "save recording",    "cancel recording",   "start of recording",
    "toggle conference",     "end of recording",  "audio options",      "audio device selection",
    "audio volume settings", "audio vox options", "audio mport export", "dragonspeak options"};

frmCommandOptions::frmCommandOptions(Dictation* control, CommandMenuActions actions, QWidget* owner)
    : QDialog(owner), m_control(control), m_actions(std::move(actions)) {
    setObjectName(QStringLiteral("frmCommandOptions"));
    setWindowTitle(QStringLiteral("Command Options"));
    setMouseTracking(true);
    for (int i = 0; i < kOptions; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("cmdMenuOption"));
        button->setProperty("Index", i);
        button->setText(QString::number(i));
        button->setToolTip(QString::fromUtf8(kDesign[size_t(i)].tooltip));
        button->installEventFilter(this);
        connect(button, &QToolButton::clicked, this, [this, i] { ProcessSelection(i); });
        auto* label = new QLabel(QString::fromUtf8(kDesign[size_t(i)].label), this);
        label->setObjectName(QStringLiteral("txtMenuOption"));
        label->setProperty("Index", i);
        label->setFocusPolicy(Qt::StrongFocus);
        label->setAutoFillBackground(true);
        label->setMouseTracking(true);
        label->setMinimumWidth(twips(this, 3600));
        label->installEventFilter(this);
        m_buttons[size_t(i)] = button;
        m_labels[size_t(i)] = label;
    }
    auto* voiceTimer = new QTimer(this);
    voiceTimer->setObjectName(QStringLiteral("tmrDelayedVoiceCommand"));
    voiceTimer->setInterval(10);
    voiceTimer->setSingleShot(true);
    connect(voiceTimer, &QTimer::timeout, this, [this] {
        for (int i = 0; i < kOptions; ++i)
            if (m_pendingWord == QLatin1String(kWords[size_t(i)])) {
                ProcessSelection(i);
                return;
            }
    });
}

void frmCommandOptions::refreshEnabled() {
    const gdenmRecordingMode m = m_control->RecordingMode();
    const bool r = m != RecordingMode_None && m != RecordingMode_TextMini &&
                   m != RecordingMode_TextTranscription && m != RecordingMode_VoiceRecognition &&
                   m != RecordingMode_AudioFileRecognition;
    const bool moves =
        r || (m == RecordingMode_VoiceRecognition && m_control->ApplicationSwitchInitialized());
    m_enabled = {true, r, r, moves, r, moves, true, true, true, true, true, !r};
    for (int i = 0; i < kOptions; ++i) {
        m_labels[size_t(i)]->setEnabled(m_enabled[size_t(i)]);
        if (i <= 5) m_buttons[size_t(i)]->setEnabled(m_enabled[size_t(i)]);
    }
}

void frmCommandOptions::Initialize() {
    ErrorGuard({kModule, "Initialize"}, [&] {
        refreshEnabled();
        m_savedMode = m_control->RecordingMode();
        m_control->setRecordingMode(RecordingMode_CommandStandby);
        m_control->DisplayUpdate();
        MenuLocationsSet();
        m_labels[4]->setText(m_control->DictationConferenceMode()
                                 ? QStringLiteral("Toggle to Dictation mode")
                                 : QStringLiteral("Toggle to Conference mode"));
        FormCustomColorSet(this);
        for (QLabel* label : m_labels) {
            QPalette p = label->palette();
            p.setColor(QPalette::Window, OleColorToQColor(Colors().formBackground));
            label->setPalette(p);
        }
    });
}

void frmCommandOptions::MenuLocationsSet() {
    ErrorGuard({kModule, "MenuLocationsSet"}, [&] {
        int top = twips(this, 120);
        const int left = twips(this, 120);
        for (int i = 0; i < kOptions; ++i) {
            QLabel* label = m_labels[size_t(i)];
            QToolButton* button = m_buttons[size_t(i)];
            if (!m_control->DisplayRecordButton() && (i == 1 || i == 9 || i == 10)) {
                label->hide();
                button->hide();
                label->setEnabled(false);
                button->setEnabled(false);
                m_enabled[size_t(i)] = false;
                continue;
            }
            button->move(left, top);
            button->setVisible(i != 11 || m_control->DragonspeakEnabled());
            if (i == 11) button->setEnabled(m_control->DragonspeakEnabled());
            label->adjustSize();
            label->move(left + button->sizeHint().width() + twips(this, 120), top);
            label->show();
            top += std::max(label->height(), button->sizeHint().height()) + twips(this, 100);
        }
        const int width = m_labels[0]->x() + twips(this, 4000);
        setFixedSize(width, top);
    });
}

void frmCommandOptions::highlight(int index) {
    for (int i = 0; i < kOptions; ++i) {
        QLabel* label = m_labels[size_t(i)];
        QPalette p = label->palette();
        const bool on = i == index;
        p.setColor(QPalette::Window, on ? QColor(0, 0, 128) : OleColorToQColor(Colors().formBackground));
        p.setColor(QPalette::WindowText, on ? Qt::white : Qt::black);
        label->setPalette(p);
    }
    m_highlighted = index;
}

void frmCommandOptions::moveFocus(int from, int step) {
    for (int k = 1; k < kOptions; ++k) {
        const int i = ((from + step * k) % kOptions + kOptions) % kOptions;
        if (m_enabled[size_t(i)] && !m_labels[size_t(i)]->isHidden()) {
            m_labels[size_t(i)]->setFocus();
            highlight(i);
            return;
        }
    }
}

bool frmCommandOptions::eventFilter(QObject* watched, QEvent* event) {
    const int index = watched->property("Index").isValid() ? watched->property("Index").toInt() : -1;
    if (index < 0) return QDialog::eventFilter(watched, event);
    const bool isLabel = watched->objectName() == QLatin1String("txtMenuOption");
    switch (event->type()) {
    case QEvent::FocusIn:
        if (isLabel) highlight(index);
        break;
    case QEvent::FocusOut:
        if (isLabel && m_highlighted == index) highlight(-1);
        break;
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (isLabel)
            m_labels[size_t(index)]->setFocus();
        else
            highlight(index);
        break;
    case QEvent::MouseButtonRelease:
        if (isLabel) {
            ProcessSelection(index);
            return true;
        }
        break;
    case QEvent::KeyPress:
        if (isLabel) {
            switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                ProcessSelection(index);
                break;
            case Qt::Key_Escape:
                ProcessCancelMenu();
                break;
            case Qt::Key_Left:
            case Qt::Key_Up:
                moveFocus(index, -1);
                break;
            case Qt::Key_Right:
            case Qt::Key_Down:
                moveFocus(index, 1);
                break;
            default:
                break;
            }
            return true; // every key is the menu's
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmCommandOptions::restoreMode() { m_control->setRecordingMode(m_savedMode); }

void frmCommandOptions::closeMenu() {
    m_closingFromCode = true;
    accept();
}

void frmCommandOptions::ProcessCancelMenu() {
    ErrorGuard({kModule, "ProcessCancelMenu"}, [&] {
        restoreMode();
        closeMenu();
    });
}

void frmCommandOptions::CommandQueue(const QString& word) {
    m_pendingWord = word;
    findChild<QTimer*>(QStringLiteral("tmrDelayedVoiceCommand"))->start();
}

void frmCommandOptions::ProcessSelection(int index) {
    ErrorGuard({kModule, "ProcessSelection"}, [&] {
        if (index < 0 || index >= kOptions || !m_enabled[size_t(index)]) return;
        switch (index) {
        case 0:
            ProcessCancelMenu();
            return;
        case 1:
            if (m_control->RecordingChanged() || m_control->HeaderChanged()) m_control->RecordingSave();
            m_control->setRecordingMode(RecordingMode_None);
            closeMenu();
            return;
        case 2: {
            bool confirmed = true;
            if (m_control->RecordingChanged()) {
                frmConfirmationDialog confirm(this);
                confirm.Initialize(QStringLiteral("Are you sure about cancelling this recording?"),
                                   QStringLiteral("Cancel Recording"), 2,
                                   QStringLiteral("Confirm cancellation"),
                                   QStringLiteral("Continue without cancellation"));
                confirm.exec();
                confirmed = confirm.FormAccept();
            }
            restoreMode();
            if (confirmed) {
                const QString key = m_control->ExternalKey();
                m_control->RecordingCancel();
                if (!key.isEmpty()) {
                    QString answer;
                    ServerRequestSend(RequestWorkflowCancel(key), failure::WorkflowCancel, answer);
                }
            }
            closeMenu();
            return;
        }
        case 3:
        case 5:
            // A moved position in command standby carries over to the restored mode.
            if (m_savedMode != RecordingMode_VoiceRecognition) {
                if (index == 3 && m_actions.beginning) m_actions.beginning();
                if (index == 5 && m_actions.ending) m_actions.ending();
            }
            restoreMode();
            closeMenu();
            return;
        case 4:
            m_control->setDictationConferenceMode(!m_control->DictationConferenceMode());
            restoreMode();
            closeMenu();
            return;
        case 6:
        case 7:
        case 8:
        case 9:
            runSettingsDialog(index);
            return;
        case 10: {
            frmImportExport form(this);
            form.Initialize(m_control->RecordingName());
            form.exec();
            if (!form.FormCancel()) {
                if (form.RecordingFileImport()) {
                    m_control->RecordingFileImport(form.RecordingFileName());
                    m_savedMode = RecordingMode_PlaybackStandby;
                } else if (m_savedMode >= RecordingMode_PlaybackStandby &&
                           m_savedMode <= RecordingMode_RecordingOverwrite) {
                    m_control->setRecordingMode(m_savedMode);
                    m_control->RecordingFileExport(form.RecordingFileName());
                }
            }
            restoreMode();
            closeMenu();
            return;
        }
        default:
            // The speech options dialog opens here once the speech engine exists.
            restoreMode();
            closeMenu();
            return;
        }
    });
}

// Opens one settings dialog on the control's values and writes the values
// back when saved; only a permanent save lets the host hear of them.
void frmCommandOptions::runSettingsDialog(int index) {
    Dictation& c = *m_control;
    std::unique_ptr<SettingsForm> form;
    std::function<void()> writeBack;
    if (index == 6) {
        auto* f = new frmOptions(this);
        f->Initialize(c.PlaybackAudioRate(), c.RewindMilliseconds(), c.ForwardMilliseconds(),
                      c.RewindAfterPlayMilliseconds());
        writeBack = [&c, f] {
            c.setPlaybackAudioRate(f->PlaybackAudioRate());
            c.setRewindMilliseconds(f->RewindMilliseconds());
            c.setForwardMilliseconds(f->ForwardMilliseconds());
            c.setRewindAfterPlayMilliseconds(f->RewindAfterPlayMilliseconds());
        };
        form.reset(f);
    } else if (index == 7) {
        auto* f = new frmDeviceSelection(this);
        f->Initialize(c.DeviceRecordingList(), c.DevicePlaybackList(), c.DeviceRecordingName(),
                      c.DevicePlaybackName(), c.FootpedalActionLeft(), c.FootpedalActionMiddle(),
                      c.FootpedalActionRight());
        writeBack = [&c, f] {
            c.setDeviceRecordingName(f->DeviceRecordingName());
            c.setDevicePlaybackName(f->DevicePlaybackName());
            c.setFootpedalActionLeft(f->FootpedalActionLeft());
            c.setFootpedalActionMiddle(f->FootpedalActionMiddle());
            c.setFootpedalActionRight(f->FootpedalActionRight());
        };
        form.reset(f);
    } else if (index == 8) {
        auto* f = new frmVolumeSettings(this);
        f->Initialize(c.VolumeRecording(), c.VolumePlayback());
        writeBack = [&c, f] {
            c.setVolumeRecording(f->VolumeRecording());
            c.setVolumePlayback(f->VolumePlayback());
        };
        form.reset(f);
    } else {
        auto* f = new frmVoxOptions(CreateDefaultAudioRecorder(), this);
        f->Initialize(c.DeviceRecordingName(), c.VoxActive(), c.VoxStartVolume(), c.VoxStopVolume(),
                      c.VoxWaitTimeTenths());
        writeBack = [&c, f] {
            c.setVoxActive(f->VoxActive());
            c.setVoxStartVolume(f->VoxStartVolume());
            c.setVoxStopVolume(f->VoxStopVolume());
            c.setVoxWaitTimeTenths(f->VoxWaitTimeTenths());
        };
        form.reset(f);
    }
    form->exec();
    if (!form->FormCancel()) {
        c.setAudioSettingHaltEvents(!form->SavePermanently());
        writeBack();
        c.setAudioSettingHaltEvents(false);
    }
    restoreMode();
    closeMenu();
}

// Escape on a button and the close box end here: the mode goes back.
void frmCommandOptions::reject() {
    if (!m_closingFromCode) restoreMode();
    QDialog::reject();
}

} // namespace vd
