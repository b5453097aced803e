#include "ControlFixture.h"

#include "server/DictationList.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

using namespace VantorDictation4;

namespace {
const QString kSuffix = "00NNAA0"; // format 4 style suffix
QString gr(const QString& name, const QString& pair, const QString& priority) {
    QStringList cells = {name, "Doe" + kSuffix, pair + kSuffix};
    while (cells.size() < 9)
        cells << "x" + kSuffix;
    cells << priority + kSuffix;
    return "|GR||" + cells.join('\t');
}
const QString kColumns =
    "|GC||NameAA010\tPatientAA020\tLengthAA008\tC3AA005\tC4AA005\tC5AA005\tC6AA005\tC7AA005\t"
    "C8AA005\tPriorityAA006";
} // namespace

TEST(DictationListTable, PagesKeepTheFirstColumnsAndSortKeysOrderValues) {
    vd::DictationListTable table;
    EXPECT_EQ(table.applyPage({kColumns, gr("D1", "12_3", "HI"), "|END|K2"}), "K2");
    EXPECT_EQ(table.applyPage({"|GC||Other\tcolumns", gr("D2", "7/45", "stat "), "|END|"}), "");
    ASSERT_EQ(table.rowCount(), 2);
    EXPECT_EQ(table.columnCount(), 11);
    EXPECT_EQ(table.cell(0, 3), "PatientAA020");
    EXPECT_EQ(table.cell(2, 0), "D2");
    EXPECT_EQ(table.cell(1, 1), "00000012_00000003" + kSuffix);
    EXPECT_EQ(table.cell(2, 1), "00000007_00000045" + kSuffix);
    EXPECT_EQ(table.cell(2, 2), "00000004" + kSuffix);
    EXPECT_EQ(table.cell(1, 4), "12_3" + kSuffix); // the cell itself is unchanged
    EXPECT_EQ(vd::DictationListTable::PriorityKey("MED" + kSuffix), "00000002" + kSuffix);
    EXPECT_EQ(vd::DictationListTable::PriorityKey("urgent" + kSuffix), "00000000" + kSuffix);
    EXPECT_EQ(table.countLabel(), "2 Dictations");
    table.clear();
    table.applyPage({kColumns, gr("D1", "1_1", "LO"), "|END|"});
    EXPECT_EQ(table.countLabel(), "1 Dictation");
    table.clear();
    table.applyPage({kColumns, gr("0", "0_0", "LO"), "|END|"});
    EXPECT_EQ(table.countLabel(), "No Dictations");
}

TEST_F(ControlFixture, ListRequestsFollowTheSortColumn) {
    const QString plain = "|GET|AUDIO|DICTATION|*|PRIORITY,DATE,NAME|*|*|N|*|";
    server.blockAnswers.insert(plain, {kColumns, gr("D1", "1_2", "HI"), gr("D2", "3_4", "LO"), "|END|"});
    vd::frmDictationList form(control.get());
    form.Initialize(control->DictationListSortOrder(), "*", "*", 0, false, false);
    EXPECT_EQ(form.lastRequest(), plain);
    EXPECT_EQ(form.table().rowCount(), 2);
    EXPECT_EQ(form.findChild<QLabel*>("lblRecordCount")->text(), "2 Dictations");
    form.sortBy(5);
    EXPECT_EQ(form.lastRequest(), plain + "|3");
    form.sortBy(5);
    EXPECT_EQ(form.lastRequest(), plain + "|3d");
    EXPECT_EQ(messages.shown.size(), 2); // the sorted requests had no answer
    EXPECT_EQ(messages.shown[0].text, "Failed to retrieve Dictation records");
    form.sortBy(1);
    EXPECT_EQ(form.lastRequest(), plain);
    EXPECT_EQ(form.table().rowCount(), 2);
    form.setCurrentRow(2);
    form.choose(true);
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.FormCancel());
    EXPECT_EQ(form.RecordingName(), "D2");
    EXPECT_TRUE(form.HeaderOnly());
}

TEST_F(ControlFixture, DictationListOpensTheChosenDictation) {
    const QString plain = "|GET|AUDIO|DICTATION|*|PRIORITY,DATE,NAME|*|*|N|*|";
    server.blockAnswers.insert(plain, {kColumns, gr("D7", "1_2", "HI"), "|END|"});
    QStringList events;
    QObject::connect(control.get(), &Dictation::DialogDisplayed,
                     [&](const QString& n) { events << "+" + n; });
    QObject::connect(control.get(), &Dictation::DialogCleared, [&](const QString& n) { events << "-" + n; });
    QObject::connect(control.get(), &Dictation::DictationSelected, [&](const QString& n, bool& cancel) {
        events << "selected " + n;
        cancel = true; // the host opens it itself
    });
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<vd::frmDictationList*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->choose(false);
    });
    EXPECT_EQ(control->DictationList(), "D7");
    EXPECT_EQ(events, QStringList({"+DictationList", "-DictationList", "selected D7"}));
    control->setRecordingMode(RecordingMode_RecordingOverwrite);
    EXPECT_EQ(control->DictationList(), ""); // not while recording
}
