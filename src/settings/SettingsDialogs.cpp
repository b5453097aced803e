#include "SettingsDialogs.h"

#include "audio/AudioDeviceLayer.h"
#include "audio/AudioRecordingControl.h"
#include "common/ColorScheme.h"
#include "common/ErrorGuard.h"
#include "common/StringProcedures.h"
#include "services/VantorMessage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

using namespace VantorDictation4;

namespace vd {

namespace {
QString seconds(double value) { return QString::number(value, 'f', 1); } // "###0.0"

QSlider* makeSlider(QWidget* owner, const char* name, int low, int high) {
    auto* s = new QSlider(Qt::Horizontal, owner);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(low, high);
    s->setSingleStep(1);
    return s;
}
} // namespace

// ---------------------------------------------------------------- common frame

SettingsForm::SettingsForm(QWidget* owner, const char* formName, const QString& title, const char* module)
    : QDialog(owner), m_module(module) {
    setObjectName(QString::fromLatin1(formName));
    setWindowTitle(title);
    m_savePermanently = new QCheckBox(QStringLiteral("Save permanently"), this);
    m_savePermanently->setObjectName(QStringLiteral("chkSavePermanently"));
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_savePermanently);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &SettingsForm::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SettingsForm::addBody(QLayout* body) { static_cast<QVBoxLayout*>(layout())->insertLayout(0, body); }

bool SettingsForm::SavePermanently() const { return m_savePermanently->isChecked(); }

bool SettingsForm::save() {
    bool saved = false;
    ErrorGuard({m_module, "cmdSave_Click"}, [&] {
        if (!store()) return;
        m_cancel = false;
        saved = true;
        accept();
    });
    return saved;
}

// ---------------------------------------------------------------- options

namespace {
struct TimeBox {
    const char* name;
    const char* upDown;
    const char* label;
    const char* what; // for the messages
};
const TimeBox kTimeBoxes[3] = {
    {"txtRewindMilliseconds", "updRewindMilliseconds", "Rewind (seconds)", "Rewind"},
    {"txtForwardMilliseconds", "updForwardMilliseconds", "Forward (seconds)", "Forward"},
    {"txtRewindAfterPlayMilliseconds", "updRewindAfterPlayMilliseconds", "Rewind before play (seconds)",
     "Rewind before play"},
};
} // namespace

frmOptions::frmOptions(QWidget* owner)
    : SettingsForm(owner, "frmOptions", QStringLiteral("Audio Options"), "Options Form") {
    auto* form = new QFormLayout;
    m_rateBox = new QComboBox(this);
    m_rateBox->setObjectName(QStringLiteral("cboPlaybackAudioRate"));
    const QPair<const char*, int> rates[] = {{"Slowest", 30},         {"Slower", 50},    {"Slow", 64},
                                             {"Slightly Slower", 80}, {"Normal", 100},   {"Quick", 120},
                                             {"Quicker", 144},        {"Quickest", 175}, {"Fast", 210},
                                             {"Faster", 250},         {"Fastest", 300}};
    for (const auto& [text, value] : rates)
        m_rateBox->addItem(QString::fromLatin1(text), value);
    form->addRow(QStringLiteral("Playback speed"), m_rateBox);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(kTimeBoxes[i].name));
        box->installEventFilter(this);
        m_boxes[i] = box;
        auto* up = new QToolButton(this);
        up->setObjectName(QString::fromLatin1(kTimeBoxes[i].upDown));
        up->setArrowType(Qt::UpArrow);
        auto* down = new QToolButton(this);
        down->setObjectName(QString::fromLatin1(kTimeBoxes[i].upDown) + QStringLiteral("Down"));
        down->setArrowType(Qt::DownArrow);
        connect(up, &QToolButton::clicked, this, [this, i] { step(i, true); });
        connect(down, &QToolButton::clicked, this, [this, i] { step(i, false); });
        auto* row = new QHBoxLayout;
        row->addWidget(box, 1);
        row->addWidget(up);
        row->addWidget(down);
        form->addRow(QString::fromLatin1(kTimeBoxes[i].label), row);
    }
    addBody(form);
}

int frmOptions::SnapRate(int rate) {
    if (rate == 30 || rate == 300) return rate;
    const QPair<int, int> bands[] = {{50, 50},   {64, 64},   {80, 80},   {119, 100}, {143, 120},
                                     {174, 144}, {209, 175}, {249, 210}, {299, 250}};
    if (rate >= 31)
        for (const auto& [upper, value] : bands)
            if (rate <= upper) return value;
    return 100;
}

void frmOptions::Initialize(int rate, qint32 rewindMs, qint32 forwardMs, qint32 rewindAfterPlayMs) {
    ErrorGuard({m_module, "Initialize"}, [&] {
        m_rateBox->setCurrentIndex(m_rateBox->findData(SnapRate(rate)));
        m_boxes[0]->setText(seconds((rewindMs < 1 ? 1000 : rewindMs) / 1000.0));
        m_boxes[1]->setText(seconds((forwardMs < 1 ? 1000 : forwardMs) / 1000.0));
        m_boxes[2]->setText(seconds((rewindAfterPlayMs < 1 ? 0 : rewindAfterPlayMs) / 1000.0));
        FormCustomColorSet(this);
    });
}

void frmOptions::step(int box, bool up) {
    double value = StringToDoublewordFloat(m_boxes[box]->text());
    if (up) {
        value += 0.1;
    } else {
        value -= 0.1;
        if (box < 2 && value < 0.2 - 0.1 + 1e-9) value = 0.1;
        if (box == 2 && value < 0.0) value = 0.0;
    }
    m_boxes[box]->setText(seconds(value));
}

bool frmOptions::validate(int box) {
    const QString text = m_boxes[box]->text().trimmed();
    if (text.isEmpty()) return true;
    const QString what = QString::fromLatin1(kTimeBoxes[box].what);
    double value = 0;
    bool ok = false;
    value = QLocale::c().toDouble(text, &ok);
    QString problem;
    if (!ok)
        problem = what + QStringLiteral(" value must be a number");
    else if (box < 2 && value < 0.1)
        problem = what + QStringLiteral(" value must be at least 1/10 second");
    else if (box == 2 && value < 0)
        problem = what + QStringLiteral(" value must be above zero");
    else if (value > 1000)
        problem = what + QStringLiteral(" value may not be more than 1000");
    if (!problem.isEmpty()) {
        MessageShow(problem);
        m_boxes[box]->setFocus();
        return false;
    }
    m_boxes[box]->setText(seconds(value));
    return true;
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut)
        for (int i = 0; i < 3; ++i)
            if (watched == m_boxes[i]) validate(i);
    return SettingsForm::eventFilter(watched, event);
}

bool frmOptions::store() {
    for (int i = 0; i < 3; ++i)
        if (!validate(i)) return false;
    const char* const missing[3] = {"Missing rewind time", "Missing forward time",
                                    "Missing rewind after play time"};
    for (int i = 0; i < 3; ++i)
        if (m_boxes[i]->text().trimmed().isEmpty()) {
            MessageShow(QString::fromLatin1(missing[i]));
            m_boxes[i]->setFocus();
            return false;
        }
    auto ms = [&](int i) {
        return qint32(std::lround(StringToDoublewordFloat(m_boxes[i]->text()) * 1000.0));
    };
    m_rate = short(m_rateBox->currentData().toInt());
    m_rewind = ms(0);
    m_forward = ms(1);
    m_afterPlay = ms(2);
    return true;
}

// ---------------------------------------------------------------- voice activation

frmVoxOptions::frmVoxOptions(std::unique_ptr<AudioRecordingControl> calibration, QWidget* owner)
    : SettingsForm(owner, "frmVoxOptions", QStringLiteral("Audio Vox Options"), "VOX Options Form"),
      m_calibration(std::move(calibration)) {
    m_activeBox = new QCheckBox(QStringLiteral("Voice-activated recording"), this);
    m_activeBox->setObjectName(QStringLiteral("chkVoxActive"));
    m_startSlider = makeSlider(this, "sldVoxStartVolume", -50, 0);
    m_stopSlider = makeSlider(this, "sldVoxStopVolume", -50, 0);
    m_waitSlider = makeSlider(this, "sldVoxWaitTimeTenths", 0, 20);
    auto* calibrate = new QPushButton(QStringLiteral("Calibrate"), this);
    calibrate->setObjectName(QStringLiteral("cmdVoxCalibrate"));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("tmrVoxCalibrate"));
    m_timer->setInterval(10);
    auto* form = new QFormLayout;
    form->addRow(QString(), m_activeBox);
    form->addRow(QStringLiteral("Start volume (dB)"), m_startSlider);
    form->addRow(QStringLiteral("Stop volume (dB)"), m_stopSlider);
    form->addRow(QStringLiteral("Wait (tenths of a second)"), m_waitSlider);
    form->addRow(QString(), calibrate);
    addBody(form);
    // Start never below stop: each slider pushes the other.
    connect(m_startSlider, &QSlider::valueChanged, this, [this](int v) {
        if (v < m_stopSlider->value()) m_stopSlider->setValue(v);
    });
    connect(m_stopSlider, &QSlider::valueChanged, this, [this](int v) {
        if (v > m_startSlider->value()) m_startSlider->setValue(v);
    });
    connect(calibrate, &QPushButton::clicked, this, &frmVoxOptions::calibrate);
    connect(m_timer, &QTimer::timeout, this, &frmVoxOptions::tick);
}

frmVoxOptions::~frmVoxOptions() = default;

QSlider* frmVoxOptions::slider(const char* name) const {
    return findChild<QSlider*>(QString::fromLatin1(name));
}

void frmVoxOptions::Initialize(const QString& recordingDevice, bool active, float start, float stop,
                               short waitTenths) {
    ErrorGuard({m_module, "Initialize"}, [&] {
        m_activeBox->setChecked(active);
        auto within = [](double v, int low, int high, int fallback) {
            return (v == 0 || v < low || v > high) ? fallback : int(std::lround(v));
        };
        m_stopSlider->setValue(within(stop, -50, 0, -30));
        m_startSlider->setValue(within(start, -50, 0, -24));
        m_stopSlider->setValue(within(stop, -50, 0, -30));
        m_waitSlider->setValue(within(waitTenths, 0, 20, 5));
        if (m_calibration)
            m_calibration->setRecordingDeviceID(RecordingDeviceIDFromName(*m_calibration, recordingDevice));
        FormCustomColorSet(this);
    });
}

void frmVoxOptions::calibrate() {
    m_ticks = 0;
    m_timer->start();
}

void frmVoxOptions::tick() {
    ErrorGuard({m_module, "tmrVoxCalibrate_Timer"}, [&] {
        AudioRecordingControl& r = *m_calibration;
        if (m_ticks == 0) {
            m_sum = 0;
            r.Reset();
            r.CalibrationStart();
            r.setVoxActive(0);
            r.setCalibrationMode(1);
            r.Record();
        }
        float level = -100, level2 = -100;
        short state = 0, state2 = 0;
        r.LevelsGet(level, state, level2, state2);
        m_sum += level;
        if (++m_ticks < 100) return;
        m_timer->stop();
        r.Stop();
        r.Reset();
        applyCalibration(m_sum / 100.0);
    });
}

void frmVoxOptions::applyCalibration(double average) {
    m_stopSlider->setValue(average < -9 ? int(std::lround(average + 9)) : 0);
    m_startSlider->setValue(average < -12 ? int(std::lround(average + 12)) : 0);
    m_stopSlider->setValue(average < -9 ? int(std::lround(average + 9)) : 0);
    m_waitSlider->setValue(5);
}

bool frmVoxOptions::store() {
    m_active = m_activeBox->isChecked();
    m_start = float(m_startSlider->value());
    m_stop = float(m_stopSlider->value());
    m_wait = short(m_waitSlider->value());
    return true;
}

// ---------------------------------------------------------------- volumes

frmVolumeSettings::frmVolumeSettings(QWidget* owner)
    : SettingsForm(owner, "frmVolumeSettings", QStringLiteral("Audio Volume settings"),
                   "Volume Settings Form") {
    m_recordingSlider = makeSlider(this, "sldVolumeRecording", 0, 100);
    m_playbackSlider = makeSlider(this, "sldVolumePlayback", 0, 100);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Recording volume"), m_recordingSlider);
    form->addRow(QStringLiteral("Playback volume"), m_playbackSlider);
    addBody(form);
}

void frmVolumeSettings::Initialize(short recording, short playback) {
    m_recordingSlider->setValue(recording < 0 || recording > 100 ? 70 : recording);
    m_playbackSlider->setValue(playback < 0 || playback > 100 ? 70 : playback);
    FormCustomColorSet(this);
}

bool frmVolumeSettings::store() {
    m_recording = short(m_recordingSlider->value());
    m_playback = short(m_playbackSlider->value());
    return true;
}

// ---------------------------------------------------------------- devices and pedals

frmDeviceSelection::frmDeviceSelection(QWidget* owner)
    : SettingsForm(owner, "frmDeviceSelection", QStringLiteral("Audio Device Selection"),
                   "Device Selection Form") {
    m_recordingList = new QListWidget(this);
    m_recordingList->setObjectName(QStringLiteral("lstDeviceRecordingName"));
    m_playbackList = new QListWidget(this);
    m_playbackList->setObjectName(QStringLiteral("lstDevicePlaybackName"));
    auto* body = new QVBoxLayout;
    body->addWidget(new QLabel(QStringLiteral("Recording device"), this));
    body->addWidget(m_recordingList);
    body->addWidget(new QLabel(QStringLiteral("Playback device"), this));
    body->addWidget(m_playbackList);
    const char* const groups[3] = {"optActionLeft", "optActionMiddle", "optActionRight"};
    const char* const titles[3] = {"Left pedal", "Middle pedal", "Right pedal"};
    const char* const actions[4] = {"None", "Rewind", "Play", "Forward"};
    auto* pedals = new QHBoxLayout;
    for (int p = 0; p < 3; ++p) {
        auto* box = new QGroupBox(QString::fromLatin1(titles[p]), this);
        auto* column = new QVBoxLayout(box);
        auto* group = new QButtonGroup(box);
        for (int a = 0; a < 4; ++a) {
            auto* option = new QRadioButton(QString::fromLatin1(actions[a]), box);
            option->setObjectName(QString::fromLatin1(groups[p]));
            option->setProperty("Index", a);
            group->addButton(option, a);
            column->addWidget(option);
            m_options[p][a] = option;
        }
        pedals->addWidget(box);
    }
    body->addLayout(pedals);
    addBody(body);
}

void frmDeviceSelection::Initialize(const QString& recordingList, const QString& playbackList,
                                    const QString& recordingName, const QString& playbackName,
                                    gdenmFootpedalAction left, gdenmFootpedalAction middle,
                                    gdenmFootpedalAction right) {
    auto fill = [](QListWidget* list, const QString& entries, const QString& name) {
        list->clear();
        if (!entries.isEmpty()) list->addItems(entries.split(u'\t'));
        if (list->count() == 0) return;
        list->setCurrentRow(0);
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().trimmed().toUpper() == name.trimmed().toUpper()) list->setCurrentRow(i);
    };
    fill(m_recordingList, recordingList, recordingName);
    fill(m_playbackList, playbackList, playbackName);
    const gdenmFootpedalAction given[3] = {left, middle, right};
    for (int p = 0; p < 3; ++p)
        if (given[p] >= 0 && given[p] <= 3) m_options[p][given[p]]->setChecked(true);
    FormCustomColorSet(this);
}

bool frmDeviceSelection::store() {
    m_recordingName = m_recordingList->currentItem() ? m_recordingList->currentItem()->text() : QString();
    m_playbackName = m_playbackList->currentItem() ? m_playbackList->currentItem()->text() : QString();
    for (int p = 0; p < 3; ++p)
        for (int a = 0; a < 4; ++a)
            if (m_options[p][a]->isChecked()) m_actions[p] = gdenmFootpedalAction(a);
    return true;
}

} // namespace vd
