#pragma once
// The dictation list: the cell table filled from the server's list pages,
// and frmDictationList, the modal grid the user picks a dictation from.

#include <QAbstractTableModel>
#include <QDialog>
#include <QVector>

class Dictation;
class QCheckBox;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;

namespace vd {

// Row 0 holds the column definitions; in a data row column 0 is the
// recording name, columns 1 and 2 its sort keys and column j + 2 its cell j.
class DictationListTable {
public:
    // Reads one page of blocks; returns the continuation key ("" when complete).
    QString applyPage(const QStringList& blocks);
    void clear();
    int rowCount() const { return m_cells.size() - 1; } // data rows
    int columnCount() const { return m_columns; }
    QString cell(int row, int column) const;
    QString countLabel() const;
    // Sort keys whose text order is the value order.
    static QString NumberPairKey(const QString& cell);
    static QString PriorityKey(const QString& cell);

private:
    QVector<QStringList> m_cells{QStringList()};
    int m_columns = 0;
    bool m_continuing = false;
};

class DictationListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DictationListModel(DictationListTable& table, QObject* parent = nullptr);
    int rowCount(const QModelIndex& = {}) const override { return m_table.rowCount(); }
    int columnCount(const QModelIndex& = {}) const override { return m_table.columnCount() + 2; }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void reload();
    void setCurrentRow(int row);

private:
    DictationListTable& m_table;
    int m_currentRow = 1;
};

class frmDictationList : public QDialog {
    Q_OBJECT
public:
    explicit frmDictationList(Dictation* control, QWidget* owner = nullptr);
    void Initialize(const QString& sortOrder, const QString& author, const QString& excludedAuthors,
                    short priority, bool displayIncludeArchive, bool includeArchive);

    bool FormCancel() const { return m_cancel; }
    QString RecordingName() const { return m_recordingName; }
    bool DictationListIncludeArchive() const { return m_includeArchive; }
    bool HeaderOnly() const { return m_headerOnly; }

    const DictationListTable& table() const { return m_table; }
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);
    // Sorting by a grid column: the same column again toggles the direction.
    void sortBy(int gridColumn);
    void refresh();
    // Picks the current row (as cmdOK, Enter or a double click do).
    void choose(bool headerOnly);
    void changeStatus();
    void changePriority();
    // The request of the last retrieval, for the record.
    QString lastRequest() const { return m_lastRequest; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void retrieve();
    void rebuild();

    Dictation* m_control;
    DictationListTable m_table;
    DictationListModel* m_model;
    QTableView* m_grid;
    QLineEdit* m_search;
    QLabel* m_count;
    QCheckBox* m_archive;
    QTimer* m_selection;
    QString m_sortOrder, m_author, m_excluded, m_recordingName, m_lastRequest;
    short m_priority = 0;
    int m_currentRow = 1, m_sortColumn = 0;
    bool m_ascending = true, m_busy = false, m_cancel = true, m_includeArchive = false, m_headerOnly = false;
};

} // namespace vd
