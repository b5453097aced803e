#pragma once
// The child controls of the control's button strip, their tooltips and
// their left-to-right placement.

#include <VantorDictation4/DictationEnums.h>

#include <QHash>
#include <QString>

class QWidget;
class QLabel;
class QToolButton;

namespace vd {

struct StripVisibility {
    bool record = false, insert = false, edit = false, nextDictation = false, dictationList = false;
    bool levels = false, levelColor = false, timer = false, status = false, voiceRecognition = false,
         dictationName = false;
    bool conferenceMode = false;
};

class ControlStrip {
public:
    explicit ControlStrip(QWidget* owner);

    QWidget* owner() const { return m_owner; }
    QWidget* element(const QString& objectName) const { return m_elements.value(objectName); }
    QLabel* label(const QString& objectName) const;
    QToolButton* button(const QString& objectName) const;

    // Play, record, insert and mode-button tooltips by conference mode and
    // dictation type; the design tooltips of the other elements are fixed.
    void applyTooltips(bool conferenceMode, VantorDictation4::gdenmDictationType type);
    // Places the shown elements from left to right with the designed gaps.
    void layout(const StripVisibility& shown);
    // Keeps the help picture at the right edge when there is room.
    void resized();
    // Label appearance: 0 flat, 1 sunken.
    void setAppearance(short appearance);

    // Converts twips to pixels of the owner's screen.
    int twips(int value) const;

private:
    QWidget* m_owner;
    QHash<QString, QWidget*> m_elements;
    QStringList m_order;
};

} // namespace vd
