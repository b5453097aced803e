#pragma once
// The global string procedures: substrings, field splitting and the lenient
// conversions used by request building, answer parsing and the setup string.
// Positions count from 1 as the protocol's texts do.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace vd {

QString StringLeft(const QString& text, int n);
QString StringRight(const QString& text, int n);
QString StringMid(const QString& text, int start, int length = 0);
qint16 StringDelimiterCount(const QString& text, const QString& delimiter);
QString StringElement(const QString& text, const QString& delimiter, int index);

// Numeric text (after trimming) converts; anything else, or a value out of
// the type's range, gives 0.
qint16 StringToInteger(const QString& text);
qint32 StringToLongwordInteger(const QString& text);
float StringToSinglewordFloat(const QString& text);
double StringToDoublewordFloat(const QString& text);

// The calendar's zero date (30 Dec 1899, midnight), the value of an unset date.
QDateTime ZeroDate();
bool IsZeroDate(const QDateTime& date);
QDateTime StringToDate(const QString& text);

bool StringToBoolean(const QString& text);
QString BooleanToString(bool value);
int BooleanToCheckbox(bool value);
bool CheckboxToBoolean(int value);

// Windows-1252 both ways; the five bytes it leaves undefined map to the code
// points of the same value, so every byte value survives a round trip.
// Characters outside the code page become "?".
QByteArray StringUnicodeToByteArray(const QString& text);
QString StringByteArrayToUnicode(const QByteArray& bytes);

// Seconds as "hh:mm:ss.t".
QString FormatSecondsTime(double seconds);
// "<account up to '/'>_<last name>_<first name>_yyyymmdd_hhnnss", or empty
// when the account, the patient name or the date is missing.
QString DictationNameFormat(const QString& accountNumber, const QString& patientName, const QDateTime& when);
// Base name, "." and extension of a path ("name." when it has none).
QString FileNameOnly(const QString& path);
// Text locations are "a;b;c"; anything else becomes "1;1;0".
QString TextLocationConvert(const QString& location);

// Fixed date formats of stored texts.
QString FormatDateTime(const QDateTime& date); // "mm/dd/yyyy hh:nn:ss"
QString FormatDate(const QDateTime& date);     // "MM/DD/YYYY"
// Plain decimal with up to five decimals, no trailing zeros or point.
QString FormatNumber(double value);
// The picture "#####.#####": like FormatNumber but with no leading zero and
// the decimal point always kept ("12.", ".5", ".").
QString FormatFraction(double value);

} // namespace vd
