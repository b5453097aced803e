#include "StringProcedures.h"

#include "ErrorGuard.h"

#include "protocol/Protocol.h"

#include <QLocale>

#include <array>
#include <cfenv>
#include <cmath>
#include <limits>

namespace vd {

namespace {
constexpr const char* kModule = "Global Procedures Module";

Procedure proc(const char* name) { return {kModule, name}; }

// Banker's rounding, as the classic integer conversions do.
double roundHalfEven(double v) {
    std::fesetround(FE_TONEAREST);
    return std::nearbyint(v);
}

bool parseNumber(const QString& text, double& value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    bool ok = false;
    value = QLocale::c().toDouble(t, &ok);
    return ok && std::isfinite(value);
}

template <class Int> Int toInteger(const QString& text) {
    double v = 0;
    if (!parseNumber(text, v)) return 0;
    v = roundHalfEven(v);
    if (v < double(std::numeric_limits<Int>::min()) || v > double(std::numeric_limits<Int>::max()))
        throw Failure(QStringLiteral("Overflow"));
    return Int(v);
}

} // namespace

QString StringLeft(const QString& text, int n) { return text.left(std::max(n, 0)); }

QString StringRight(const QString& text, int n) { return text.right(std::max(n, 0)); }

QString StringMid(const QString& text, int start, int length) {
    if (length < 0) return QString();
    const int from = std::max(start, 1) - 1;
    return length == 0 ? text.mid(from) : text.mid(from, length);
}

qint16 StringDelimiterCount(const QString& text, const QString& delimiter) {
    qint16 count = 0;
    ErrorGuard(proc("StringDelimiterCount"), [&] {
        if (delimiter.isEmpty()) throw Failure(QStringLiteral("Invalid procedure call or argument"));
        qsizetype at = text.indexOf(delimiter);
        while (at >= 0) {
            if (count == std::numeric_limits<qint16>::max()) throw Failure(QStringLiteral("Overflow"));
            ++count;
            at = text.indexOf(delimiter, at + delimiter.size());
        }
    });
    return count;
}

QString StringElement(const QString& text, const QString& delimiter, int index) {
    if (text.isEmpty() || delimiter.isEmpty() || index < 0) return QString();
    const QStringList fields = text.split(delimiter);
    return index < fields.size() ? fields.at(index) : QString();
}

qint16 StringToInteger(const QString& text) {
    qint16 result = 0;
    ErrorGuard(proc("StringToInteger"), [&] { result = toInteger<qint16>(text); });
    return result;
}

qint32 StringToLongwordInteger(const QString& text) {
    qint32 result = 0;
    ErrorGuard(proc("StringToLongwordInteger"), [&] { result = toInteger<qint32>(text); });
    return result;
}

float StringToSinglewordFloat(const QString& text) {
    double v = 0;
    if (!parseNumber(text, v) || std::fabs(v) > double(std::numeric_limits<float>::max())) return 0.0f;
    return float(v);
}

double StringToDoublewordFloat(const QString& text) {
    double v = 0;
    return parseNumber(text, v) ? v : 0.0;
}

QDateTime ZeroDate() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0)); }

bool IsZeroDate(const QDateTime& date) { return !date.isValid() || date == ZeroDate(); }

QDateTime StringToDate(const QString& text) {
    static const char* const formats[] = {"MM/dd/yyyy HH:mm:ss", "M/d/yyyy H:mm:ss",    "M/d/yyyy h:mm:ss AP",
                                          "M/d/yyyy H:mm",       "MM/dd/yyyy",          "M/d/yyyy",
                                          "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd"};
    const QString t = text.trimmed();
    if (t.isEmpty()) return ZeroDate();
    for (const char* format : formats) {
        const QDateTime parsed = QDateTime::fromString(t, QString::fromLatin1(format));
        if (parsed.isValid()) return parsed;
    }
    return ZeroDate();
}

bool StringToBoolean(const QString& text) {
    double v = 0;
    if (parseNumber(text, v) && v != 0.0) return true;
    if (text.isEmpty()) return false;
    const QChar first = text.at(0).toUpper();
    return first == u'Y' || first == u'T';
}

QString BooleanToString(bool value) { return value ? QStringLiteral("Y") : QStringLiteral("N"); }

int BooleanToCheckbox(bool value) { return value ? 1 : 0; }

bool CheckboxToBoolean(int value) { return value == 1; }

// One byte mapping for the control and the hub: the protocol library's.
QByteArray StringUnicodeToByteArray(const QString& text) { return relayhub::TextToBytes(text); }

QString StringByteArrayToUnicode(const QByteArray& bytes) { return relayhub::BytesToText(bytes); }

QString FormatSecondsTime(double seconds) {
    QString text;
    ErrorGuard(proc("FormatSecondsTime"), [&] {
        const qint64 whole = qint64(seconds);
        const qint64 hours = whole / 3600;
        const qint64 minutes = (whole / 60) % 60;
        const qint64 secs = whole % 60;
        const qint64 tenths = qint64(roundHalfEven(seconds * 10.0)) % 10;
        text = QStringLiteral("%1:%2:%3.%4")
                   .arg(hours, 2, 10, QLatin1Char('0'))
                   .arg(minutes, 2, 10, QLatin1Char('0'))
                   .arg(secs, 2, 10, QLatin1Char('0'))
                   .arg(tenths);
    });
    return text;
}

QString DictationNameFormat(const QString& accountNumber, const QString& patientName, const QDateTime& when) {
    QString name;
    ErrorGuard(proc("DictationNameFormat"), [&] {
        const QString account = accountNumber.section(u'/', 0, 0).trimmed();
        if (account.isEmpty() || patientName.trimmed().isEmpty() || IsZeroDate(when)) return;
        const QString last = patientName.section(u',', 0, 0).trimmed();
        const QString first = patientName.section(u',', 1).trimmed();
        name = account + u'_' + last + u'_' + first + u'_' + when.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    });
    return name;
}

QString FileNameOnly(const QString& path) {
    QString name = path;
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    if (slash >= 0) name = path.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) return name + u'.';
    return name;
}

QString TextLocationConvert(const QString& location) {
    if (location.isEmpty() || location.split(u';').size() != 3) return QStringLiteral("1;1;0");
    return location;
}

QString FormatDateTime(const QDateTime& date) {
    return (date.isValid() ? date : ZeroDate()).toString(QStringLiteral("MM/dd/yyyy HH:mm:ss"));
}

QString FormatDate(const QDateTime& date) {
    return (date.isValid() ? date : ZeroDate()).toString(QStringLiteral("MM/dd/yyyy"));
}

QString FormatFraction(double value) {
    QString text = FormatNumber(value);
    if (!text.contains(u'.')) text += u'.';
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("-0.")))
        text.remove(1, 1);
    return text;
}

QString FormatNumber(double value) {
    QString text = QString::number(value, 'f', 5);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.')) text.chop(1);
    }
    if (text == QStringLiteral("-0")) text = QStringLiteral("0");
    return text;
}

} // namespace vd
