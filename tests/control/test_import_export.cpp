#include "ControlFixture.h"

#include "audio/ImportExportForm.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace VantorDictation4;

namespace {
QByteArray fileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(bytes);
}
// Fills and saves (or cancels) the next modal dictation data form.
void answerDataForm(bool save) {
    QTimer::singleShot(0, [save] {
        QWidget* form = QApplication::activeModalWidget();
        ASSERT_NE(form, nullptr);
        form->findChild<QLineEdit*>("txtDictationPatientAccountNumber")->setText("IMP1");
        form->findChild<QLineEdit*>("txtDictationDateOfService")->setText("01/02/2026");
        if (save) {
            form->findChild<QPushButton*>("cmdSave")->click();
        } else {
            QMetaObject::invokeMethod(form, "reject");
            if (auto* box = QApplication::activeModalWidget(); box && box != form) box->close();
        }
    });
}
} // namespace

TEST_F(ControlFixture, ExportWhilePlayingPausesCopiesAndKeepsThePosition) {
    const QString source = folder.filePath("Dictation_src.WAV");
    writeBytes(source, QByteArray("RIFF....WAVEdata-bytes"));
    control->RecordingLoad(source);
    QString file = source;
    recorder->FileNew(file); // give the in-memory recorder audio to stand on
    recorder->Record();
    recorder->capture(QVector<qint16>(11025, 1));
    recorder->Stop();
    writeBytes(source, QByteArray("RIFF....WAVEdata-bytes"));
    recorder->setPositionSamples(5000);
    control->PlaybackStart();
    const QString target = folder.filePath("exported.wav");
    EXPECT_TRUE(control->RecordingFileExport(target));
    EXPECT_EQ(fileBytes(target), QByteArray("RIFF....WAVEdata-bytes"));
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    EXPECT_EQ(control->RecordingCurrentSample(), 5000);
    EXPECT_FALSE(control->RecordingFileExport(folder.filePath("no/such/folder/x.wav")));
}

TEST_F(ControlFixture, ImportNeedsConfirmedDataAndMakesAnUnnamedRecording) {
    const QString source = folder.filePath("outside.wav");
    writeBytes(source, QByteArray("RIFF imported"));
    messages.answers.enqueue(vd::AnswerYes); // losing the typed changes on cancel
    answerDataForm(false);
    EXPECT_FALSE(control->RecordingFileImport(source));
    EXPECT_EQ(recorder->openFile(), "");

    answerDataForm(true);
    EXPECT_TRUE(control->RecordingFileImport(source));
    EXPECT_EQ(control->RecordingMode(), RecordingMode_PlaybackStandby);
    EXPECT_EQ(control->RecordingName(), "");
    EXPECT_TRUE(control->HeaderChanged());
    EXPECT_EQ(control->DictationPatientAccountNumber(), "IMP1");
    EXPECT_TRUE(control->RecordingFileName().startsWith(folder.path() + "/Dictation_"));
    EXPECT_EQ(fileBytes(control->RecordingFileName()), QByteArray("RIFF imported"));
    EXPECT_FALSE(control->RecordingFileImport(folder.filePath("missing.wav")));
}

TEST_F(ControlFixture, ImportExportFormChecksTheFile) {
    vd::frmImportExport form;
    form.Initialize("R1");
    form.execute();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "Missing file name");
    auto* file = form.findChild<QLineEdit*>("txtRecordingFileName");
    file->setText(folder.filePath("nothing.wav"));
    form.execute();
    EXPECT_EQ(messages.shown[1].text, "Invalid file name");
    for (QRadioButton* option : form.findChildren<QRadioButton*>("optImportExport"))
        if (option->property("Index").toInt() == 1) option->setChecked(true);
    file->setText(folder.filePath("absent/x.wav"));
    form.execute();
    EXPECT_EQ(messages.shown[2].text, "Invalid folder name");
    file->setText(folder.filePath("out.wav"));
    form.execute();
    EXPECT_FALSE(form.FormCancel());
    EXPECT_FALSE(form.RecordingFileImport());
    EXPECT_EQ(form.RecordingFileName(), folder.filePath("out.wav"));
    EXPECT_EQ(form.RecordingName(), "R1");
}
