#include "ControlFixture.h"

#include "common/ColorScheme.h"
#include "server/DataForms.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

using namespace VantorDictation4;

namespace {
QLineEdit* field(QWidget* form, const char* name) { return form->findChild<QLineEdit*>(name); }
void click(QWidget* form, const char* name) { form->findChild<QPushButton*>(name)->click(); }

// Fills the next modal dictation form and saves it.
void answerDictationForm(const QString& account, const QString& date) {
    QTimer::singleShot(0, [account, date] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_NE(form, nullptr);
        ASSERT_EQ(form->objectName(), "frmDictationData");
        field(form, "txtDictationPatientAccountNumber")->setText(account);
        field(form, "txtDictationDateOfService")->setText(date);
        auto* priority = form->findChild<QComboBox*>("cboDictationPriority");
        priority->setCurrentIndex(priority->findData(4));
        click(form, "cmdSave");
    });
}
} // namespace

TEST_F(ControlFixture, DictationFormValidatesRequiredFields) {
    vd::frmDictationData form;
    vd::RecordingData header;
    header.reset("JS", true);
    form.InitializeEdit(header);
    EXPECT_EQ(field(&form, "txtDictationPatientAccountNumber")->palette().color(QPalette::Base),
              vd::OleColorToQColor(control->ColorRequired()));
    field(&form, "txtDictationPatientAccountNumber")->setText("A1");
    form.save();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Missing date of service");
    EXPECT_TRUE(form.FormCancel());
    field(&form, "txtDictationPatientAccountNumber")->clear();
    form.save();
    EXPECT_EQ(messages.shown[1].text, "Missing patient account number");
    field(&form, "txtDictationPatientAccountNumber")->setText("A1");
    field(&form, "txtDictationDateOfService")->setText("02/30/2026");
    form.save();
    EXPECT_EQ(messages.shown[2].text, "Invalid date, please re-enter in MM/DD/YYYY format");
    field(&form, "txtDictationDateOfService")->setText("03/04/2026");
    form.save();
    EXPECT_FALSE(form.FormCancel());
    form.copyTo(header);
    EXPECT_EQ(header.patientAccountNumber, "A1");
    EXPECT_EQ(header.dateOfService.date(), QDate(2026, 3, 4));
}

TEST_F(ControlFixture, DictationFormAsksBeforeLosingChanges) {
    vd::frmDictationData form;
    vd::RecordingData header;
    header.reset("JS", true);
    form.InitializeEdit(header);
    form.show();
    form.cancel(); // no edits: no question
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_FALSE(form.isVisible());

    vd::frmDictationData edited;
    edited.InitializeEdit(header);
    edited.show();
    field(&edited, "txtDictationTranscriptionNote")->setText("changed");
    messages.answers.enqueue(vd::AnswerNo);
    edited.cancel();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Dictation data has been modified, are you sure about losing changes?");
    EXPECT_EQ(messages.shown[0].buttons, 260);
    EXPECT_EQ(messages.shown[0].title, "Verify Cancel");
    EXPECT_TRUE(edited.isVisible());
    messages.answers.enqueue(vd::AnswerYes);
    edited.cancel();
    EXPECT_FALSE(edited.isVisible());
}

TEST_F(ControlFixture, DateOfServiceKeys) {
    vd::frmDictationData form;
    QLineEdit* date = field(&form, "txtDictationDateOfService");
    auto type = [&](const QString& text) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(date, &key);
    };
    type("t");
    EXPECT_EQ(date->text(), QDate::currentDate().toString("MM/dd/yyyy"));
    date->setText("12/31/2025");
    type("+");
    EXPECT_EQ(date->text(), "01/01/2026");
    type("-");
    type("-");
    EXPECT_EQ(date->text(), "12/30/2025");
}

TEST_F(ControlFixture, PhoneMessageFormKeepsOnlyTheFileName) {
    vd::frmPhoneMessageData form;
    form.InitializeEdit("", "", 0, 0, 0);
    form.save();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Missing recording name");
    field(&form, "txtRecordingName")->setText("/home/a/calls/Lab results.wav");
    form.findChild<QComboBox*>("cboRecordingQualitySamples")->setCurrentIndex(1);
    form.save();
    vd::RecordingData header;
    form.copyTo(header);
    EXPECT_EQ(header.name, "Lab results.wav");
    EXPECT_EQ(header.qualitySamples, RecordingQualitySamples_PhoneMessage);
}

TEST_F(ControlFixture, RecordButtonWithConfirmedDataStartsANewDictation) {
    QStringList modes;
    QObject::connect(control.get(), &Dictation::ModeChanged,
                     [&](bool, bool, bool, const QString& t) { modes << t; });
    int saved = 0;
    QObject::connect(control.get(), &Dictation::RecordingFormDataSaved, [&] { ++saved; });
    answerDictationForm("77/1", "05/06/2026");
    Q_EMIT control->findChild<QToolButton*>("cmdRecording")->pressed();
    Q_EMIT control->findChild<QToolButton*>("cmdRecording")->released();
    EXPECT_EQ(saved, 1);
    EXPECT_EQ(control->RecordingMode(), RecordingMode_RecordingOverwriteStandby);
    EXPECT_EQ(control->DictationPatientAccountNumber(), "77/1");
    EXPECT_EQ(control->DictationPriority(), DictationPriority_Stat);
    EXPECT_EQ(control->DictationFileStatus(), "DICTATED");
    EXPECT_TRUE(control->HeaderChanged());
    EXPECT_TRUE(control->RecordingFileName().contains("Dictation_77_1_"));
    EXPECT_EQ(recorder->openFile(), control->RecordingFileName());
    EXPECT_EQ(modes.last(), "Dictating (Paused)");

    // The edit button reopens the form on the open recording.
    control->RecordingStop();
    answerDictationForm("77/2", "05/07/2026");
    Q_EMIT control->findChild<QToolButton*>("cmdEdit")->pressed();
    EXPECT_EQ(saved, 2);
    EXPECT_EQ(control->DictationPatientAccountNumber(), "77/2");
}
