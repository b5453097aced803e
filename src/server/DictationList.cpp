#include "DictationList.h"

#include "ColorTable.h"
#include "ServerRequest.h"
#include "common/ColorScheme.h"
#include "common/ErrorGuard.h"
#include "common/Hourglass.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"
#include "services/VantorMessage.h"

#include <VantorDictation4/Dictation.h>

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace vd {

namespace {
constexpr const char* kModule = "Dictation List Form";
constexpr int kDataSuffix = 7; // format 4

QString eightDigits(qint64 value) { return QStringLiteral("%1").arg(value, 8, 10, QLatin1Char('0')); }

// The text before a cell's style suffix, and the suffix.
QPair<QString, QString> splitSuffix(const QString& cell) {
    if (cell.size() < kDataSuffix) return {QString(), cell};
    return {cell.left(cell.size() - kDataSuffix), cell.right(kDataSuffix)};
}
} // namespace

// ---------------------------------------------------------------- table

QString DictationListTable::NumberPairKey(const QString& cell) {
    const auto [text, suffix] = splitSuffix(cell);
    const QChar separator = text.contains(u'_') ? u'_' : u'/';
    return eightDigits(StringToLongwordInteger(text.section(separator, 0, 0))) + u'_' +
           eightDigits(StringToLongwordInteger(text.section(separator, 1, 1))) + suffix;
}

QString DictationListTable::PriorityKey(const QString& cell) {
    const auto [text, suffix] = splitSuffix(cell);
    const QString word = text.trimmed().toUpper();
    const int number = word == QStringLiteral("LO")     ? 1
                       : word == QStringLiteral("MED")  ? 2
                       : word == QStringLiteral("HI")   ? 3
                       : word == QStringLiteral("STAT") ? 4
                                                        : 0;
    return eightDigits(number) + suffix;
}

void DictationListTable::clear() {
    m_cells = {QStringList()};
    m_columns = 0;
    m_continuing = false;
}

QString DictationListTable::applyPage(const QStringList& blocks) {
    QString key;
    for (const QString& block : blocks) {
        const QStringList fields = block.split(u'|');
        const QString type = fields.value(1);
        if (type == QStringLiteral("END")) {
            key = fields.value(2);
            continue;
        }
        if (type != QStringLiteral("GC") && type != QStringLiteral("GR")) continue;
        if (type == QStringLiteral("GC") && m_continuing)
            continue;                                           // later pages keep the first page's columns
        const QStringList cells = fields.value(3).split(u'\t'); // field 2 is the key's place
        QStringList row(qMax(m_columns, int(cells.size()) + 1) + 1);
        row[0] = cells.value(0);
        for (int j = 1; j < cells.size(); ++j)
            row[j + 2] = cells[j];
        if (type == QStringLiteral("GC")) {
            m_columns = int(cells.size()) + 1;
            m_cells[0] = row;
        } else {
            row[1] = NumberPairKey(cells.value(2));
            row[2] = PriorityKey(cells.value(9));
            m_cells.append(row);
        }
    }
    m_continuing = !key.isEmpty();
    return key;
}

QString DictationListTable::cell(int row, int column) const {
    return row < m_cells.size() ? m_cells[row].value(column) : QString();
}

QString DictationListTable::countLabel() const {
    if (rowCount() == 1 && cell(1, 0) == QStringLiteral("0")) return QStringLiteral("No Dictations");
    return QString::number(rowCount()) +
           (rowCount() == 1 ? QStringLiteral(" Dictation") : QStringLiteral(" Dictations"));
}

// ---------------------------------------------------------------- model

DictationListModel::DictationListModel(DictationListTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table) {}

void DictationListModel::reload() {
    beginResetModel();
    endResetModel();
}

void DictationListModel::setCurrentRow(int row) {
    m_currentRow = row;
    if (rowCount() > 0) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

QVariant DictationListModel::data(const QModelIndex& index, int role) const {
    const int row = index.row() + 1; // table rows start after the definitions
    GridCell cell;
    GridParseCell(cell, 4, m_table.cell(row, index.column()));
    switch (role) {
    case Qt::DisplayRole:
        return cell.text;
    case Qt::ToolTipRole:
        return cell.text;
    case Qt::ForegroundRole:
        return OleColorToQColor(cell.textColor);
    case Qt::BackgroundRole:
        return OleColorToQColor(row == m_currentRow && index.column() != 11 ? Colors().gridSelection
                                                                            : cell.backColor);
    case Qt::TextAlignmentRole:
        return int((cell.alignment == 1   ? Qt::AlignHCenter
                    : cell.alignment == 2 ? Qt::AlignRight
                                          : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant DictationListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    GridCell cell;
    GridParseCell(cell, 1, m_table.cell(0, section));
    return cell.text;
}

// ---------------------------------------------------------------- form

frmDictationList::frmDictationList(Dictation* control, QWidget* owner) : QDialog(owner), m_control(control) {
    setObjectName(QStringLiteral("frmDictationList"));
    setWindowTitle(QStringLiteral("Dictation List"));
    resize(900, 480);
    m_model = new DictationListModel(m_table, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grdDictationList"));
    m_grid->setModel(m_model);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    m_grid->installEventFilter(this);
    auto* searchLabel = new QLabel(QStringLiteral("Search"), this);
    searchLabel->setObjectName(QStringLiteral("lblSearch"));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtSearch"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblRecordCount"));
    m_archive = new QCheckBox(QStringLiteral("Include archive"), this);
    m_archive->setObjectName(QStringLiteral("chkDictationListIncludeArchive"));
    auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    auto* ok = button("cmdOK", QStringLiteral("OK"));
    auto* cancel = button("cmdCancel", QStringLiteral("Cancel"));
    auto* refreshButton = button("cmdRefresh", QStringLiteral("Refresh"));
    m_selection = new QTimer(this);
    m_selection->setObjectName(QStringLiteral("tmrProcessRowSelection"));
    m_selection->setSingleShot(true);
    m_selection->setInterval(0);

    auto* top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(m_search, 1);
    top->addWidget(refreshButton);
    top->addWidget(m_archive);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_count);
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);

    connect(ok, &QPushButton::clicked, this, [this] { choose(false); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(refreshButton, &QPushButton::clicked, this, &frmDictationList::refresh);
    connect(m_search, &QLineEdit::returnPressed, this, &frmDictationList::refresh);
    connect(m_archive, &QCheckBox::clicked, this, [this](bool on) {
        m_includeArchive = on;
        refresh();
    });
    connect(m_grid, &QTableView::clicked, this, [this](const QModelIndex& i) { setCurrentRow(i.row() + 1); });
    connect(m_grid, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        setCurrentRow(i.row() + 1);
        choose(false);
    });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionDoubleClicked, this, &frmDictationList::sortBy);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex i = m_grid->indexAt(at);
        if (!i.isValid()) return;
        setCurrentRow(i.row() + 1);
        QMenu menu(this);
        menu.setObjectName(QStringLiteral("mnuPopup"));
        menu.addAction(QStringLiteral("Open recording"), this, [this] { choose(false); })
            ->setObjectName(QStringLiteral("mnuPopupOpenRecording"));
        menu.addAction(QStringLiteral("Open header"), this, [this] { choose(true); })
            ->setObjectName(QStringLiteral("mnuPopupOpenHeader"));
        menu.addSeparator()->setObjectName(QStringLiteral("mnuPopupSeparator1"));
        menu.addAction(QStringLiteral("Change status"), this, &frmDictationList::changeStatus)
            ->setObjectName(QStringLiteral("mnuChangeDictationStatus"));
        menu.addAction(QStringLiteral("Change priority"), this, &frmDictationList::changePriority)
            ->setObjectName(QStringLiteral("mnuPopupChangeDictationPriority"));
        menu.exec(m_grid->viewport()->mapToGlobal(at));
    });
    connect(m_selection, &QTimer::timeout, this, [this] {
        m_cancel = false;
        accept();
    });
}

void frmDictationList::Initialize(const QString& sortOrder, const QString& author,
                                  const QString& excludedAuthors, short priority, bool displayIncludeArchive,
                                  bool includeArchive) {
    ErrorGuard({kModule, "Initialize"}, [&] {
        m_sortOrder = sortOrder;
        m_author = author;
        m_excluded = excludedAuthors;
        m_priority = priority;
        m_includeArchive = includeArchive;
        m_archive->setVisible(displayIncludeArchive);
        m_archive->setChecked(includeArchive);
        FormCustomColorSet(this);
        m_sortColumn = 0;
        refresh();
    });
}

void frmDictationList::refresh() {
    ErrorGuard({kModule, "Refresh"}, [&] {
        HourglassScope busy;
        retrieve();
        rebuild();
        m_count->setText(m_table.countLabel());
    });
}

void frmDictationList::retrieve() {
    if (m_busy) return;
    m_busy = true;
    m_count->clear();
    auto* server = qobject_cast<ServerRequestComponent*>(Slots().relayHubServer.data());
    QString request = RequestDictationList(m_sortOrder, m_author, m_priority, m_includeArchive, m_excluded,
                                           m_search->text());
    request = RequestDictationListSorted(request, m_sortColumn, m_ascending);
    m_lastRequest = request;
    bool firstPage = true;
    for (;;) {
        QStringList blocks;
        QString info;
        if (!server || !server->RequestProcessBlocks(request, blocks, QString(), info)) {
            MessageShow(failure::DictationList);
            break;
        }
        if (firstPage) m_table.clear();
        firstPage = false;
        if (m_table.applyPage(blocks).isEmpty()) break;
    }
    m_busy = false;
}

void frmDictationList::rebuild() {
    m_model->reload();
    QHeaderView* header = m_grid->horizontalHeader();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        GridCell definition;
        GridParseCell(definition, 1, m_table.cell(0, c));
        // The recording name and the sort keys are not shown.
        const bool shown = c > 2 && definition.number > 0;
        m_grid->setColumnHidden(c, !shown);
        if (shown) header->resizeSection(c, definition.number * fontMetrics().averageCharWidth());
    }
    setCurrentRow(1);
}

void frmDictationList::setCurrentRow(int row) {
    if (row < 1 || row > m_table.rowCount()) return;
    m_currentRow = row;
    m_model->setCurrentRow(row);
}

void frmDictationList::sortBy(int gridColumn) {
    if (gridColumn == m_sortColumn) {
        m_ascending = !m_ascending;
    } else {
        m_sortColumn = gridColumn;
        m_ascending = true;
    }
    refresh();
}

void frmDictationList::choose(bool headerOnly) {
    if (m_currentRow < 1 || m_currentRow > m_table.rowCount()) return;
    m_recordingName = m_table.cell(m_currentRow, 0);
    m_headerOnly = headerOnly;
    m_selection->start(); // leaves the grid's own event before the form closes
}

void frmDictationList::changeStatus() {
    if (m_control->DictationStatusChange(m_table.cell(m_currentRow, 0))) refresh();
}

void frmDictationList::changePriority() {
    if (m_control->DictationPriorityChange(m_table.cell(m_currentRow, 0))) refresh();
}

bool frmDictationList::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            choose(false);
            return true;
        case Qt::Key_Up:
            setCurrentRow(m_currentRow - 1);
            return true;
        case Qt::Key_Down:
            setCurrentRow(m_currentRow + 1);
            return true;
        default:
            m_search->setFocus();
            return false;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vd
