#pragma once
// The server colour table (loaded once at initialisation) and the cell code
// scheme every grid of the control uses.

#include <QString>
#include <QStringList>

namespace vd {

// Entries numbered from 0; a colour letter indexes it by its code minus 64.
QStringList& ColorTable();
// The built-in table used when the server's answer cannot be read.
QStringList ColorTableFallback();
// Sends "|GET|COLOR|" and fills the table (see the colour table loader).
void PopulateColor();
// The colour of a letter, or defaultColor outside the table or for an entry
// that is not a number.
qint32 ColorCodeToRGB(const QString& letter, qint32 defaultColor);

// Grid control types stored for the control-type character.
enum GridControlType : int {
    GridControlStatic = 52512,
    GridControlEdit = 52513,
    GridControlCheckBox = 52518,
    GridControlDropList = 52523,
    GridControlLabel = 52514,
    GridControlButton = 52520,
    GridControlChoice = 52529,
};

struct GridCell {
    QString text;
    int number = 0;              // two-digit number of format 1
    qint32 textColor = 0;        // black
    qint32 backColor = 0xFFFFFF; // white
    int alignment = 0;
    int styleValue = 0;
    bool styleFlag1 = false, styleFlag2 = false;
    int controlType = 0;
    QString choiceList;
    int choiceIndex = 0;
    QString choiceText;
    bool enabled = true;
    double numericValue = -1.0;
    int leadingDigit1 = 0, leadingDigit2 = 0; // format 4
};

// Suffix length of a cell format (0 to 4); other formats have none.
int GridCellSuffixLength(int format);
// Splits a cell text into its shown text and its code suffix.
void GridParseCell(GridCell& cell, int format, const QString& cellText, const QStringList& choiceLists = {});

} // namespace vd
