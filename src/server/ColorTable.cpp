#include "ColorTable.h"

#include "ServerRequest.h"

#include "common/ErrorGuard.h"
#include "common/ProcessState.h"
#include "common/StringProcedures.h"

#include <VantorDictation4/HostComponents.h>

#include <QApplication>

namespace vd {

QStringList& ColorTable() {
    static QStringList table;
    return table;
}

QStringList ColorTableFallback() {
    QStringList t(101);
    const QList<QPair<int, qint64>> values = {
        {1, 6414400},    {2, 1214208},   {3, 26950},     {4, 4934475},  {5, 44247},     {6, 55212},
        {7, 255},        {8, 5869055},   {9, 10179},     {10, 21413},   {11, 12779520}, {12, 68992200},
        {13, 8847540},   {14, 21609},    {15, 3689},     {16, 6891520}, {17, 16777215}, {18, 255},
        {19, 6414400},   {20, 6414400},  {21, 6414400},  {22, 6414400}, {23, 16777215}, {24, 12632256},
        {25, 65535},     {26, 0},        {33, 13827960}, {34, 7929720}, {35, 7929810},  {36, 13815502},
        {37, 7922943},   {38, 7929828},  {39, 9869055},  {40, 9851105}, {41, 5272575},  {42, 5286143},
        {43, 167428520}, {44, 16765560}, {45, 16742610}, {46, 3842233}, {47, 3820473},  {48, 16769596}};
    for (const auto& [index, value] : values)
        t[index] = QString::number(value);
    return t;
}

namespace {
bool colorNumber(const QString& entry, qint64& value) {
    bool ok = false;
    value = entry.trimmed().toLongLong(&ok);
    return ok;
}
} // namespace

void PopulateColor() {
    QString response;
    bool answered = false;
    ErrorGuard({"Global Procedures Module", "PopulateColor"}, [&] {
        // Without a server the control runs locally on the built-in colours.
        auto* server = qobject_cast<ServerRequestComponent*>(Slots().relayHubServer.data());
        if (!server) return;
        QString info;
        answered = server->RequestProcess(RequestColorTable(), response, QString(), info);
        if (!answered) {
            QApplication::beep();
            ErrorLog(RequestColorTable() + QStringLiteral(" failed"));
        }
    });
    if (!answered) return;
    ErrorGuard({"Global Procedures Module", "PopulateColor"}, [&] {
        QString problem;
        try {
            QStringList table;
            const QString entries = StringMid(response, 6, 0).section(QChar(1), 0, 0);
            for (QString entry : entries.split(QLatin1Char('\t'))) {
                qint64 value = 0;
                if (entry.isEmpty())
                    entry = QStringLiteral("255");
                else if (!colorNumber(entry, value))
                    throw Failure(QStringLiteral("Type mismatch"));
                table << entry;
            }
            ColorTable() = table;
            return;
        } catch (const Failure& f) {
            problem = f.description();
        } catch (const std::exception& e) {
            problem = QString::fromLocal8Bit(e.what());
        }
        ServerMessageShow(
            QStringLiteral("Workaround for server mismatch in Populate Color | Error Description:") +
            problem);
        ColorTable() = ColorTableFallback();
    });
}

qint32 ColorCodeToRGB(const QString& letter, qint32 defaultColor) {
    if (letter.isEmpty()) return defaultColor;
    const int index = letter[0].unicode() - 64;
    const QStringList& table = ColorTable();
    qint64 value = 0;
    if (index < 0 || index >= table.size() || !colorNumber(table[index], value)) return defaultColor;
    return qint32(value);
}

int GridCellSuffixLength(int format) {
    switch (format) {
    case 1:
    case 3:
        return 5;
    case 2:
        return 3;
    case 4:
        return 7;
    default:
        return 0;
    }
}

namespace {
void digitInto(QChar c, int& target) {
    if (c.isDigit()) target = c.digitValue();
}

void applyStyle(GridCell& cell, QChar c) {
    switch (c.toLatin1()) {
    case '0':
        cell.styleFlag1 = cell.styleFlag2 = false;
        break;
    case '1':
        cell.styleFlag1 = true;
        break;
    case '2':
        cell.styleFlag2 = true;
        break;
    case '3':
        cell.styleValue = 2;
        break;
    case '4':
        cell.styleValue = 2;
        cell.styleFlag1 = true;
        break;
    case '5':
        cell.styleValue = 2;
        cell.styleFlag2 = true;
        break;
    case '6':
        cell.styleValue = 4;
        break;
    case '7':
        cell.styleValue = 4;
        cell.styleFlag1 = true;
        break;
    case '8':
        cell.styleValue = 4;
        cell.styleFlag2 = true;
        break;
    case '9':
        cell.styleValue = -1;
        break;
    default:
        break;
    }
}

void applyControlType(GridCell& cell, QChar c, const QStringList& choiceLists) {
    switch (c.toLatin1()) {
    case '0':
        cell.controlType = GridControlStatic;
        break;
    case 'B': {
        cell.controlType = GridControlStatic;
        bool ok = false;
        const double v = cell.text.trimmed().toDouble(&ok);
        cell.numericValue = ok ? v : 0.0;
        break;
    }
    case '1':
        cell.controlType = GridControlEdit;
        break;
    case '2':
    case '5':
    case '9':
        cell.controlType = GridControlCheckBox;
        break;
    case '3': {
        cell.controlType = GridControlChoice;
        if (cell.text.isEmpty()) break;
        const int list = cell.text[0].isDigit() ? cell.text[0].digitValue() : -1;
        if (list >= 0 && list < choiceLists.size()) cell.choiceList = choiceLists[list];
        bool ok = false;
        const int index = cell.text.mid(1).trimmed().toInt(&ok);
        cell.choiceIndex = ok ? index : 0;
        cell.choiceText = cell.choiceList.split(QLatin1Char('\n')).value(cell.choiceIndex);
        break;
    }
    case '4':
    case '6': {
        cell.controlType = GridControlDropList;
        const QString list = cell.text.mid(1);
        cell.choiceList = list.size() < 2 ? QStringLiteral("no data") : list;
        cell.text = cell.text.left(1);
        break;
    }
    case '7':
        cell.controlType = GridControlLabel;
        cell.choiceList = cell.text;
        break;
    case '8':
        cell.controlType = GridControlButton;
        break;
    default:
        break;
    }
}
} // namespace

void GridParseCell(GridCell& cell, int format, const QString& cellText, const QStringList& choiceLists) {
    cell = GridCell{};
    ErrorGuard({"Global Procedures Module", "GridParseCell"}, [&] {
        const int length = GridCellSuffixLength(format);
        if (cellText.size() < length) return; // too short for its suffix: empty text, default style
        cell.text = cellText.left(cellText.size() - length);
        const QString code = cellText.right(length);
        // An empty code character counts as "0".
        auto at = [&](int i) { return code[i].isSpace() ? QLatin1Char('0') : code[i]; };
        switch (format) {
        case 1:
            cell.backColor = ColorCodeToRGB(code.mid(0, 1), cell.backColor);
            cell.textColor = ColorCodeToRGB(code.mid(1, 1), cell.textColor);
            digitInto(code[2], cell.alignment);
            if (code[3].isDigit() && code[4].isDigit()) cell.number = code.mid(3, 2).toInt();
            break;
        case 2:
            cell.backColor = ColorCodeToRGB(code.mid(0, 1), cell.backColor);
            cell.textColor = ColorCodeToRGB(code.mid(1, 1), cell.textColor);
            digitInto(code[2], cell.alignment);
            break;
        case 3:
            applyStyle(cell, at(0));
            applyControlType(cell, at(1), choiceLists);
            cell.backColor = ColorCodeToRGB(code.mid(2, 1), cell.backColor);
            cell.textColor = ColorCodeToRGB(code.mid(3, 1), cell.textColor);
            digitInto(code[4], cell.alignment);
            break;
        case 4:
            digitInto(code[0], cell.leadingDigit1);
            digitInto(code[1], cell.leadingDigit2);
            applyStyle(cell, at(2));
            applyControlType(cell, at(3), choiceLists);
            cell.backColor = ColorCodeToRGB(code.mid(4, 1), cell.backColor);
            cell.textColor = ColorCodeToRGB(code.mid(5, 1), cell.textColor);
            digitInto(code[6], cell.alignment);
            break;
        default:
            break;
        }
    });
}

} // namespace vd
