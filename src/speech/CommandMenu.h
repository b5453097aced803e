#pragma once
// The end-of-letter command menu: twelve options (save, cancel, move,
// conference mode, settings dialogs), chosen by mouse, keyboard or spoken
// word, while the control waits in command standby.

#include <VantorDictation4/DictationEnums.h>

#include <QDialog>
#include <QVector>

#include <array>
#include <functional>

class Dictation;
class QLabel;
class QToolButton;

namespace vd {

// What the menu asks of the control beyond its public members.
struct CommandMenuActions {
    std::function<void()> beginning; // the beginning button's action
    std::function<void()> ending;    // the ending button's action
};

class frmCommandOptions : public QDialog {
    Q_OBJECT
public:
    static constexpr int kOptions = 12;
    // The spoken words, in option order.
    static const std::array<const char*, kOptions> kWords;

    frmCommandOptions(Dictation* control, CommandMenuActions actions, QWidget* owner = nullptr);

    // Opens the menu: saves the control's mode and puts it into command standby.
    void Initialize();
    void ProcessCancelMenu();
    void ProcessSelection(int index);
    // A recognised menu word, run 10 ms later outside the engine's event.
    void CommandQueue(const QString& word);
    void MenuLocationsSet();

    bool optionEnabled(int index) const { return m_enabled[size_t(index)]; }
    int highlighted() const { return m_highlighted; }
    VantorDictation4::gdenmRecordingMode savedMode() const { return m_savedMode; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void refreshEnabled();
    void highlight(int index);
    void moveFocus(int from, int step);
    void restoreMode();
    void closeMenu();
    void runSettingsDialog(int index);

    Dictation* m_control;
    CommandMenuActions m_actions;
    std::array<QLabel*, kOptions> m_labels{};
    std::array<QToolButton*, kOptions> m_buttons{};
    std::array<bool, kOptions> m_enabled{};
    VantorDictation4::gdenmRecordingMode m_savedMode = VantorDictation4::RecordingMode_None;
    int m_highlighted = -1;
    QString m_pendingWord;
    bool m_closingFromCode = false;
};

} // namespace vd
